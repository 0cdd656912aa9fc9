#include "nvlogo/nvl.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <chrono>
#include <climits>
#include <cstdint>
#include <thread>

#include "core/dialogs.h"
#include "core/errors.h"
#include "core/numconv.h"
#include "link/baudrate.h"
#include "link/comport.h"
#include "link/devicefile.h"
#include "link/printer_link.h"
#include "nvlogo/geometry.h"
#include "nvlogo/listing.h"
#include "nvlogo/nvcommands.h"
#include "widgets/vcl.h"

namespace {
constexpr int kClientWidth = 750;
constexpr int kClientHeight = 539;
// The resize rule assumes the picture here.
constexpr int kImageLeft = 272;
constexpr int kImageTop = 40;
// Beyond 58 units the window grows with the picture.
constexpr int kFixedUnits = 58;
using timeouts::kNvDownloadAfterSendMs;
using timeouts::kNvDownloadSettle;
constexpr int kAfterSendMs = timeouts::kNetAfterSendMs;

constexpr const char* kOpenFilter = "位图文件(*.BMP)|*.BMP";
constexpr const char* kLoadTooLarge = "BMP图形太大!请重新选择!";
constexpr const char* kCannotDownload = "BMP图形太大，不能下载！请重新选择!";
constexpr const char* kDownloadDone = "恭喜！！NV Logo 下载成功！";
constexpr const char* kDefineDone = "恭喜！！定义下载位图成功！";

std::string Text(const QLineEdit* e) { return e->text().toStdString(); }
void SetNumber(QLineEdit* e, int64_t value) { e->setText(QString::number(value)); }

QPixmap ToPixmap(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t c = picture.At(x, y);
      line[x] = qRgb(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF);
    }
  }
  return QPixmap::fromImage(image);
}

Picture DefaultPicture() {
  QFile file(QStringLiteral(":/nvlogo/default_logo.bmp"));
  if (!file.open(QIODevice::ReadOnly)) return Picture{};
  const QByteArray data = file.readAll();
  return DecodeBmp(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

std::string SizeText(const char* colon, int bytes) {
  return std::string("位图大小") + colon + std::to_string(bytes) + " 字节";
}
}  // namespace

// Outside any namespace, as the resource system asks.
static void InitLogoResource() { Q_INIT_RESOURCE(nvlogo); }

TRadioGroup::TRadioGroup(QWidget* parent, const char* name, const char* caption,
                         const std::vector<const char*>& items, int itemIndex)
    : QGroupBox(U(caption), parent) {
  setObjectName(name);
  for (size_t i = 0; i < items.size(); ++i) {
    auto* item = new QRadioButton(U(items[i]), this);
    item->setGeometry(16, 24 + 26 * static_cast<int>(i), 200, 24);
    buttons_.addButton(item, static_cast<int>(i));
  }
  SetItemIndex(itemIndex);
}

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* b = buttons_.button(index)) b->setChecked(true);
}

QRadioButton* TRadioGroup::Item(int index) const {
  return static_cast<QRadioButton*>(buttons_.button(index));
}

std::optional<std::string> TOpenDialog::Execute() const { return dialogs().OpenFileName(Filter); }

Tnvf::Tnvf(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  InitLogoResource();
  setObjectName("nvf");
  setWindowTitle(U("TZ W6 NV Logo 演示"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(kClientWidth, kClientHeight);
  setFont(FontPixels("宋体", 14));
  // The drawing the conversion samples uses the same fixed light grey.
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(background);
  setAutoFillBackground(true);

  // Every control sits left of or above the picture: the fill area right of
  // and below it must show nothing but the background.
  BitBtn1 = MakeButton(this, "BitBtn1", "打开BMP文件", {16, 16, 140, 32});
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  Button2 = MakeButton(this, "Button2", "下载NV Logo", {16, 60, 140, 32});
  Button3 = MakeButton(this, "Button3", "打印NV Logo", {16, 104, 140, 32});
  Button5 = MakeButton(this, "Button5", "清除NV Logo", {16, 148, 140, 32});
  Button1 = MakeButton(this, "Button1", "关闭", {16, 480, 140, 32});

  Label1 = MakeLabel(this, "Label1", SizeText(": ", 1176).c_str(), {kImageLeft, 12, 300, 20});
  SetTextColor(Label1, Qt::red, {QPalette::WindowText, QPalette::Text});

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");

  RadioGroup1 = new TRadioGroup(this, "RadioGroup1", "打印时大小缩放",
                                {"原始大小", "双倍宽", "双倍高", "双倍宽、高"}, 0);
  RadioGroup1->setGeometry(16, 196, 240, 136);
  RadioButton5 = MakeControl<QRadioButton>(this, "RadioButton5", U("原始"), {16, 344, 110, 24});
  RadioButton5->setEnabled(false);
  RadioButton6 = MakeControl<QRadioButton>(this, "RadioButton6", U("变换后"), {130, 344, 110, 24});
  RadioButton6->setChecked(true);

  OpenDialog1.Filter = kOpenFilter;

  // Controls the window keeps but never shows.
  Button8 = MakeButton(this, "Button8", "定义下载位图", {164, 60, 100, 28});
  Button10 = MakeButton(this, "Button10", "打印下载位图", {164, 92, 100, 28});
  Button9 = MakeButton(this, "Button9", "Button9", {164, 124, 100, 28});
  Button4 = MakeButton(this, "Button4", "80切切刀测试", {164, 156, 100, 28});
  Button6 = MakeButton(this, "Button6", "转换后的数据TXT", {164, 380, 100, 28});
  Button7 = MakeButton(this, "Button7", "加密后的数据", {164, 412, 100, 28});
  Button11 = MakeButton(this, "Button11", "Button11", {164, 444, 100, 28});
  hcb = MakeCheck(this, "hcb", "HEX", {16, 376, 60, 24});
  Edit9 = MakeEdit(this, "Edit9", "c:\\hex.bin", {16, 404, 140, 22});
  Edit10 = MakeEdit(this, "Edit10", "$00800000", {16, 430, 140, 22});
  SetTextColor(Edit10, Qt::red, {QPalette::WindowText, QPalette::Text});
  Edit11 = MakeEdit(this, "Edit11", "0", {16, 456, 140, 22});
  for (QWidget* w : std::initializer_list<QWidget*>{Button8, Button10, Button9, Button4, Button6, Button7,
                                                    Button11, hcb, Edit9, Edit10, Edit11})
    w->hide();

  const char* editTexts[] = {"Edit1", "1", "1", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8"};
  std::array<QLineEdit**, 8> edits = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8};
  for (int i = 0; i < 8; ++i) {
    const std::string name = "Edit" + std::to_string(i + 1);
    const std::string label = "Label" + std::to_string(i + 2);
    const std::string caption = "E" + std::to_string(i + 1);
    *edits[i] = MakeEdit(this, name.c_str(), editTexts[i], {188, 196 + 22 * i, 76, 20});
    (*edits[i])->hide();
    Labels[i] = MakeLabel(this, label.c_str(), caption.c_str(), {164, 196 + 22 * i, 22, 20});
    Labels[i]->hide();
  }

  SetPicture(DefaultPicture());

  OnClick(BitBtn1, [this] { BitBtn1Click(); });
  OnClick(Button1, [this] { Button1Click(); });
  OnClick(Button2, [this] { Button2Click(); });
  OnClick(Button3, [this] { Button3Click(); });
  OnClick(Button4, [this] { Button4Click(); });
  OnClick(Button5, [this] { Button5Click(); });
  OnClick(Button6, [this] { Button6Click(); });
  OnClick(Button7, [this] { Button7Click(); });
  OnClick(Button8, [this] { Button8Click(); });
  OnClick(Button9, [this] { Button9Click(); });
  OnClick(Button10, [this] { Button10Click(); });
  OnClick(Button11, [this] { Button11Click(); });
}

void Tnvf::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  Image1->setPixmap(ToPixmap(picture_));
  Image1->setGeometry(kImageLeft, kImageTop, picture_.width, picture_.height);
}

ImagePlace Tnvf::Place() const { return {Image1->x(), Image1->y(), picture_.width, picture_.height}; }

Surface Tnvf::DrawSurface() const { return DrawClientArea(width(), height(), picture_, Place()); }

int Tnvf::CroppedWidth(int crop) const {
  const int64_t w = int64_t{picture_.width} - crop;
  if (w < 1)
    throw AppError("Crop offset " + std::to_string(crop) + " leaves nothing of a picture " +
                   std::to_string(picture_.width) + " dots wide");
  // Far beyond any size the commands accept; only keeps the sums in range.
  return w > (INT_MAX >> 2) ? (INT_MAX >> 2) : static_cast<int>(w);
}

void Tnvf::SaveHexCopy() {
  if (hcb->isChecked()) WriteBufferToFile(Text(Edit9), link_.buffer);
}

void Tnvf::BitBtn1Click() {
  OpenDialog1.FilterIndex = 0;
  // A file that does not load raises here, before anything has changed.
  if (auto name = OpenDialog1.Execute()) SetPicture(LoadBmpFile(*name));

  const RasterGeometry g = ComputeGeometry(picture_.width, picture_.height);
  SetNumber(Edit1, int64_t{g.xBytes} * 8);
  SetNumber(Edit2, int64_t{g.yBytes} * 8);
  const int w = g.xBytes <= kFixedUnits ? kClientWidth : kClientWidth + (g.xBytes * 8 - 8 * kFixedUnits);
  const int h = g.yBytes <= kFixedUnits ? kClientHeight : kClientHeight + (g.yBytes * 8 - 8 * kFixedUnits);
  resize(w, h);
  SetNumber(Edit3, width());
  SetNumber(Edit4, height());
  Label1->setText(U(SizeText("： ", g.byteCount).c_str()));
  if (g.byteCount >= kByteCountLimit) dialogs().ShowMessage(kLoadTooLarge);
}

void Tnvf::Button1Click() { close(); }

void Tnvf::Button2Click() {
  link_.buffer.clear();
  const int crop = StrToInt(Text(Edit11));
  const RasterGeometry g = ComputeGeometry(CroppedWidth(crop), picture_.height + 1);
  if (g.byteCount >= kByteCountLimit) {
    dialogs().ShowMessage(kCannotDownload);
    return;
  }
  Surface surface = DrawSurface();
  const ImagePlace place = Place();
  PaintWhiteFill(surface, place, g.fillX, g.fillY, FillVariant::NvLogoDownload);
  const int32_t threshold = StrToInt(Text(Edit10));
  link_.buffer = NvLogoDownload(
      g, ScanColumns(surface, place.left + crop, place.top, g.W + g.fillX, g.H + g.fillY, threshold));
  SaveHexCopy();
  if (link_.Selectors().PortIndex() == 10) SetNumber(Edit1, static_cast<int64_t>(link_.buffer.size()));
  const SendOutcome outcome =
      link_.SendToPrinter(ChannelScope::Full, false, kNvDownloadAfterSendMs, NameSource::ShownText);
  if (outcome == SendOutcome::SentNetwork) {
    std::this_thread::sleep_for(kNvDownloadSettle);
    dialogs().ShowMessage(kDownloadDone);
  }
}

void Tnvf::Button3Click() {
  link_.buffer.clear();
  link_.buffer = NvLogoPrint(RadioGroup1->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false, kAfterSendMs, NameSource::ShownText);
}

void Tnvf::Button5Click() {
  link_.buffer.clear();
  link_.buffer = NvLogoClear();
  link_.SendToPrinter(ChannelScope::Full, false, kAfterSendMs, NameSource::ShownText);
}

void Tnvf::Button8Click() {
  link_.buffer.clear();
  const int crop = StrToInt(Text(Edit11));
  const RasterGeometry g = ComputeGeometry(CroppedWidth(crop), picture_.height + 1);
  const DownloadSize s = LimitDownloadSize(g.xBytes, g.yBytes);
  link_.buffer = DefineBitmapTextLine(s);
  Surface surface = DrawSurface();
  const ImagePlace place = Place();
  PaintWhiteFill(surface, place, g.fillX, g.fillY, FillVariant::DefineBitmap);
  link_.buffer += DefineBitmap(
      s, ScanColumns(surface, place.left + crop, place.top, s.x * 8, s.y * 8, kDefaultThreshold));
  Label1->setText(U(SizeText(": ", s.x * s.y).c_str()));
  dialogs().ShowMessage(kDefineDone);
  SaveHexCopy();
  link_.SendToPrinter(ChannelScope::ShortSerial, false, kAfterSendMs, NameSource::ShownText);
}

void Tnvf::Button9Click() {
  link_.buffer.clear();
  link_.buffer = PrintDownloadedFourWays();
  link_.SendToPrinter(ChannelScope::ShortSerial, false, kAfterSendMs, NameSource::ShownText);
}

void Tnvf::Button10Click() {
  link_.buffer.clear();
  link_.buffer = PrintDownloadedWithName();
  link_.SendToPrinter(ChannelScope::ShortSerial, false, kAfterSendMs, NameSource::ShownText);
}

void Tnvf::Button4Click() {
  link_.buffer.clear();
  const int zeroRun = StrToInt(Text(Edit2));
  const RasterGeometry g = ComputeGeometry(picture_.width, picture_.height);
  const int height = picture_.height;
  SetNumber(Edit4, g.xL);
  SetNumber(Edit5, g.xH);
  SetNumber(Edit6, height % 256);
  SetNumber(Edit7, height / 256);
  SetNumber(Edit8, int64_t{g.xL + 256 * g.xH} * (height % 256 + 256 * (height / 256)));
  Surface surface = DrawSurface();
  const ImagePlace place = Place();
  PaintWhiteFill(surface, place, g.fillX, g.fillY, FillVariant::TestPage);
  const ByteString rows = ScanRows(surface, place.left, place.top, g.W + g.fillX, height, kDefaultThreshold);
  const ByteString page = TestPage(TestPageImagePart(g.xBytes, height, rows), zeroRun);
  const int copies = StrToInt(Text(Edit3));
  SendTestPageCopies(page, copies);
}

void Tnvf::CountCopy() { SetNumber(Edit2, int64_t{StrToInt(Text(Edit2))} + 1); }

// The port stays open for all copies; Ethernet, which the page was not
// written for, gets one connection per copy through the link.
void Tnvf::SendTestPageCopies(const ByteString& page, int copies) {
  ChannelSelectors& selectors = link_.Selectors();
  const int index = selectors.PortIndex();
  switch (ChannelOfIndex(index)) {
    case Channel::None:
      return;
    case Channel::Parallel: {
      HeldDeviceFile port(selectors.PortText());
      for (int i = 1; i <= copies; ++i) {
        link_.buffer = TestPageCopy(i, page);
        port.Write(link_.buffer);
        CountCopy();
      }
      port.Close();
      return;
    }
    case Channel::Serial: {
      TComPort& cp = link_.ComPort();
      cp.SetPort("COM" + std::to_string(index - 1));
      cp.SetBaudRate(BaudRateFromText(selectors.RateText()));
      cp.Open();
      RunThenClose(cp, [&] {
        for (int i = 1; i <= copies; ++i) {
          link_.buffer = TestPageCopy(i, page);
          cp.WriteStr(link_.buffer);
          CountCopy();
        }
      });
      return;
    }
    case Channel::Network:
      for (int i = 1; i <= copies; ++i) {
        link_.buffer = TestPageCopy(i, page);
        if (link_.SendToPrinter(ChannelScope::ShortSerial, false, kAfterSendMs, NameSource::ShownText) !=
            SendOutcome::SentNetwork)
          return;
        CountCopy();
      }
      return;
  }
}

void Tnvf::ListingClick(bool scrambled) {
  link_.buffer.clear();
  const RasterGeometry g = ComputeGeometry(picture_.width, picture_.height);
  if (g.byteCount >= kByteCountLimit) {
    dialogs().ShowMessage(kCannotDownload);
    return;
  }
  Surface surface = DrawSurface();
  const ImagePlace place = Place();
  PaintWhiteFill(surface, place, g.fillX, g.fillY, FillVariant::Listing);
  const ByteString data =
      ScanColumns(surface, place.left, place.top, g.W + g.fillX, g.H + g.fillY, kDefaultThreshold);
  link_.buffer = LayoutListing(ListingItems(g, data, scrambled));
  SaveHexCopy();
}

void Tnvf::Button6Click() { ListingClick(false); }

void Tnvf::Button7Click() { ListingClick(true); }

void Tnvf::Button11Click() {
  link_.buffer.clear();
  link_.buffer = ReadFileBytes(Text(Edit9));
  link_.SendToPrinter(ChannelScope::Full, false, kAfterSendMs, NameSource::ShownText);
}
