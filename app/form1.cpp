#include "app/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QLocale>
#include <QPixmap>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/clock_text.h"
#include "commands/actions.h"
#include "commands/parameters.h"
#include "commands/speed.h"
#include "core/control_bytes.h"
#include "core/dialogs.h"
#include "core/numconv.h"
#include "link/baudrate.h"
#include "nvlogo/bmp.h"
#include "nvlogo/geometry.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"
#include "widgets/updown.h"
#include "widgets/vcl.h"

namespace {
constexpr int kClientWidth = 558;
constexpr int kClientHeight = 357;
constexpr int kStatusHeight = 34;

TComboBox* MakeBox(QWidget* parent, const char* name, const std::vector<const char*>& items, int itemIndex,
                   QRect geometry) {
  auto* box = new TComboBox(parent, name, items, itemIndex);
  box->setGeometry(geometry);
  return box;
}

// The picture of an image control, which takes the picture's size.
void SetPicture(QLabel* image, const QImage& picture) {
  image->setPixmap(QPixmap::fromImage(picture));
  image->resize(picture.size());
}

QImage ToImage(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t c = picture.At(x, y);  // 0x00BBGGRR
      line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
  }
  return image;
}

// Placeholders of the design-time pictures' sizes.
QImage Blank(int width, int height, QImage::Format format) {
  QImage image(width, height, format);
  if (format == QImage::Format_Mono)
    image.fill(1);
  else
    image.fill(Qt::white);
  return image;
}

// Runs handler whenever the box's ticked state changes, by a click or in code.
void OnToggle(QCheckBox* box, std::function<void()> handler) {
  QObject::connect(box, &QCheckBox::toggled, box, [h = std::move(handler)](bool) { Guarded(h); });
}
}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), link_(*this, cp) {
  setObjectName("Form1");
  setWindowTitle(U("Print speed set program V1.0"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  resize(kClientWidth, kClientHeight);
  setFont(FontPixels("宋体", 16));

  hidden_ = new QWidget(this);
  hidden_->setObjectName("hiddenControls");
  hidden_->hide();

  QFont selectorFont(U("Arial"));
  selectorFont.setPointSize(11);

  Label1 = MakeLabel(this, "Label1", "Select Port:", {32, 20, 150, 22});
  dk = new TComboBox(
      this, "dk",
      {"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "Ethernet"}, 0, 15);
  dk->setGeometry(32, 46, 150, 28);
  Label1->setBuddy(dk);

  Label4 = MakeLabel(this, "Label4", "Select Baudrate:", {206, 20, 150, 22});
  sd = new TComboBox(this, "sd", {"2400", "4800", "9600", "19200", "38400", "57600", "115200"}, 3);
  sd->setGeometry(206, 46, 130, 28);
  Label4->setBuddy(sd);
  sd->OnChange = [this] { sdChange(); };

  Label16 = MakeLabel(this, "Label16", "IP Address:", {360, 20, 177, 22});
  IPE = new TIPEdit(this);
  IPE->setObjectName("IPE");
  IPE->setGeometry(360, 46, 177, 28);
  QFont ipFont(U("Arial"));
  ipFont.setBold(true);
  ipFont.setPointSize(12);
  IPE->setFont(ipFont);
  SetTextColor(IPE, Qt::red);
  IPE->SetIPString(kFactoryDefaultAddress);
  Label16->setBuddy(IPE);
  for (QLabel* l : {Label1, Label4, Label16}) l->setFont(selectorFont);

  Autocb = new TComboBox(this, "Autocb", {"250mm/s", "300mm/s"}, 0, 20);
  Autocb->setGeometry(32, 112, 150, 32);
  Button6 = MakeButton(this, "Button6", "Set Print Speed", {206, 110, 331, 36});
  SetTextColor(Button6, Qt::blue);
  OnClick(Button6, [this] { Button6Click(); });

  Button7 = MakeButton(this, "Button7", "Close", {32, 190, 505, 44});
  OnClick(Button7, [this] { Button7Click(); });

  CreateHiddenControls();

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  const int widths[3] = {200, 200, 50};
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QLabel(StatusBar1);
    panel->setObjectName(QStringLiteral("StatusBar1.Panel%1").arg(i));
    panel->setAlignment(Qt::AlignCenter);
    panel->setFixedWidth(widths[i]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(panel);
    StatusPanels[i] = panel;
  }

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });

  FormCreate();
  Timer1->start();
}

TForm1::~TForm1() = default;

void TForm1::CreateHiddenControls() {
  hidden_->setFont(FontPixels("宋体", 14));
  hidden_->setGeometry(0, 0, 1100, 760);
  const QFont boldFont = FontPixels("宋体", 14, true);
  auto panelCheck = [&](const char* name, const char* caption, int y) {
    QCheckBox* box = MakeCheck(hidden_, name, caption, {8, y, 220, 24});
    box->setFont(boldFont);
    return box;
  };
  auto red = [](QLabel* label) {
    SetTextColor(label, Qt::red);
    return label;
  };

  // H parameter panel.
  szt = panelCheck("szt", "设置针打H参数", 8);
  ph = MakeButton(hidden_, "ph", "打印 H", {236, 8, 80, 26});
  st = MakeButton(hidden_, "st", "设置参数  T =", {324, 8, 110, 26});
  cbs = MakeBox(hidden_, "cbs",
                {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"}, 5,
                {440, 8, 50, 26});
  cbs->lineEdit()->setMaxLength(1);
  cs = MakeEdit(hidden_, "cs", "5", {500, 8, 36, 26});
  cs->setMaxLength(2);
  cs->setReadOnly(true);
  UpDown3 = new TUpDown(hidden_, "UpDown3", cs, 0, 30, 5);
  UpDown3->setGeometry(536, 8, 16, 26);
  Label5 = red(MakeLabel(hidden_, "Label5", "00 H <=T<=0F H(Hexadicimal)", {560, 8, 220, 22}));
  Label9 = red(MakeLabel(hidden_, "Label9", "m=0,1", {790, 8, 60, 22}));
  Label11 = red(MakeLabel(hidden_, "Label11", "（十进制数据）", {860, 8, 120, 22}));

  // Code page panel.
  szt0 = panelCheck("szt0", "设置默认代码页", 40);
  pt = MakeButton(hidden_, "pt", "打印默认代码页", {236, 40, 120, 26});
  st0 = MakeButton(hidden_, "st0", "设置参数 t =", {364, 40, 110, 26});
  cst = MakeEdit(hidden_, "cst", "0", {480, 40, 50, 26});
  cst->setMaxLength(3);

  // Black-mark panel.
  dcb = panelCheck("dcb", "TZD4 针打黑标设置", 72);
  db = MakeButton(hidden_, "db", "针打黑标控制设置", {236, 72, 140, 26});

  // Serial baud panel; tb's two-line caption is set by FormCreate.
  tcb = panelCheck("tcb", "TZR2系列串口设置", 104);
  tb = MakeButton(hidden_, "tb", "", {236, 104, 110, 44});
  tc = MakeBox(
      hidden_, "tc",
      {"0:4800bps", "1:9600bps", "2:19200bps", "3:38400bps", "4:57600bps", "5:115200bps", "6:2400bps"}, -1,
      {354, 104, 120, 26});
  tc->SetInitialText("1: 9600bps");
  Label14 = red(MakeLabel(hidden_, "Label14", "适用于TZ-R21II、TZ-R23II、", {482, 104, 240, 20}));
  Label15 = red(MakeLabel(hidden_, "Label15", "TZ-R25（X）、TZ-R25II", {482, 126, 240, 20}));

  // LED display panel.
  lcb = panelCheck("lcb", "TZ-R23III LED显示", 156);
  lb = MakeButton(hidden_, "lb", "LED显示演示", {236, 156, 120, 26});

  // NV logo panel.
  nvcb = panelCheck("nvcb", "TZW6 NV Logo演示", 188);
  nvd = MakeButton(hidden_, "nvd", "NV Logo下载", {236, 188, 110, 26});
  nvp = MakeButton(hidden_, "nvp", "NV Logo 打印", {354, 188, 110, 26});
  bbn = MakeButton(hidden_, "bbn", "装载 BMP 文件", {472, 188, 130, 26});
  SetTextColor(bbn, Qt::blue);
  bbn->setFont(boldFont);
  Image1 = new QLabel(hidden_);
  Image1->setObjectName("Image1");
  Image1->move(610, 188);
  SetPicture(Image1, Blank(133, 39, QImage::Format_RGB888));
  OpenDialog1.Filter = "位图文件（*.Bmp)";

  // Beeper prompt panel.
  bpck = panelCheck("bpck", "TZW6 蜂鸣提示演示", 236);
  bpb = MakeButton(hidden_, "bpb", "蜂鸣提示", {236, 236, 90, 26});
  Label12 = MakeLabel(hidden_, "Label12", "次数：", {334, 236, 50, 22});
  bpe1 = MakeEdit(hidden_, "bpe1", "3", {386, 236, 36, 26});
  bpe1->setMaxLength(2);
  UpDown1 = new TUpDown(hidden_, "UpDown1", bpe1, 0, 10, 3);
  UpDown1->setGeometry(422, 236, 16, 26);
  Label13 = MakeLabel(hidden_, "Label13", "时间：", {446, 236, 50, 22});
  bpe2 = MakeEdit(hidden_, "bpe2", "2", {498, 236, 36, 26});
  bpe2->setMaxLength(2);
  UpDown2 = new TUpDown(hidden_, "UpDown2", bpe2, 0, 10, 2);
  UpDown2->setGeometry(534, 236, 16, 26);
  for (QLineEdit* e : {bpe1, bpe2}) e->setReadOnly(true);
  ComboBox1 =
      MakeBox(hidden_, "ComboBox1", {"10 15 n t(十六进制）", "1B 42 n t(十六进制）"}, 0, {558, 236, 180, 26});

  // Choice panels.
  CheckBox1 = panelCheck("CheckBox1", "TZD4针打浓度设置", 268);
  sdb = MakeButton(hidden_, "sdb", "设置打印浓度", {236, 268, 110, 26});
  dc = MakeBox(hidden_, "dc", {"Light", "Normal", "Dark"}, 1, {354, 268, 120, 26});
  CheckBox2 = panelCheck("CheckBox2", "TZD4针打自动换行设置", 300);
  crb = MakeButton(hidden_, "crb", "自动换行", {236, 300, 110, 26});
  crc = MakeBox(hidden_, "crc", {"启用", "禁用"}, 0, {354, 300, 120, 26});
  CheckBox5 = panelCheck("CheckBox5", "TZD4针打蜂鸣器设置", 332);
  bb = MakeButton(hidden_, "bb", "蜂鸣器功能", {236, 332, 110, 26});
  bc = MakeBox(hidden_, "bc", {"启用", "禁用"}, 0, {354, 332, 120, 26});
  CheckBox3 = panelCheck("CheckBox3", "TZW6重打禁用/启用", 364);
  cdb = MakeButton(hidden_, "cdb", "重打功能", {236, 364, 110, 26});
  cdc = MakeBox(hidden_, "cdc", {"启用", "禁用"}, 0, {354, 364, 120, 26});
  CheckBox4 = panelCheck("CheckBox4", "TZW6仿真模式选择", 396);
  msb = MakeButton(hidden_, "msb", "仿真模式选择", {236, 396, 110, 26});
  msc = MakeBox(hidden_, "msc", {"EPSON ESC/POS", "STAR(Line/T)"}, 0, {354, 396, 160, 26});
  CheckBox6 = panelCheck("CheckBox6", "TZR2小字体是否有效", 428);
  fontb = MakeButton(hidden_, "fontb", "小字体功能", {236, 428, 110, 26});
  fontc = MakeBox(hidden_, "fontc", {"启用小字体(9*17)", "禁用小字体(9*17)"}, 0, {354, 428, 180, 26});

  // Status check panel.
  CheckBox7 = panelCheck("CheckBox7", "TZ串行接口状态检测", 460);
  Button3 = MakeButton(hidden_, "Button3", "串口状态检测", {236, 460, 120, 26});

  // Everything a panel box enables waits for its box.
  SetEnabled({ph,  st,  cbs, UpDown3, pt,   st0,     cst,     db,      tb,      tc,     lb, nvd,
              nvp, bbn, bpb, bpe1,    bpe2, UpDown1, UpDown2, Label12, Label13, sdb,    dc, crb,
              crc, bb,  bc,  cdb,     cdc,  msb,     msc,     fontb,   fontc,   Button3},
             false);
  // Never enabled: its text only follows the spinner.
  cs->setEnabled(false);

  // Print test group.
  Button1 = MakeButton(hidden_, "Button1", "打印测试(&P)", {8, 500, 110, 28});
  Edit1 = MakeEdit(hidden_, "Edit1", "5", {126, 500, 50, 26});
  RadioButton1 = new QRadioButton(U("40/33"), hidden_);
  RadioButton2 = new QRadioButton(U("42/35"), hidden_);
  RadioButton3 = new QRadioButton(U("36/30"), hidden_);
  radioGroup_ = new QButtonGroup(this);
  int x = 184;
  for (auto [radio, name] : {std::pair{RadioButton1, "RadioButton1"}, std::pair{RadioButton2, "RadioButton2"},
                             std::pair{RadioButton3, "RadioButton3"}}) {
    radio->setObjectName(name);
    radio->setGeometry(x, 500, 70, 24);
    radioGroup_->addButton(radio);
    x += 76;
  }
  RadioButton1->setChecked(true);
  Open = MakeButton(hidden_, "Open", "开钱箱(&O)", {420, 500, 100, 28});
  cut = MakeButton(hidden_, "cut", "切纸(&C)", {528, 500, 90, 28});
  QButton = MakeButton(hidden_, "QButton", "退出(&Q)", {626, 500, 90, 28});

  // Mechanism test group.
  Button2 = MakeButton(hidden_, "Button2", "针打机芯测试", {8, 540, 120, 28});
  x = 136;
  for (auto [box, name, caption] :
       {std::tuple{&dck, "dck", "倒置"}, std::tuple{&Lfck, "Lfck", "换行"}, std::tuple{&zxck, "zxck", "自选"},
        std::tuple{&bick, "bick", "单向"}, std::tuple{&dqck, "dqck", "对齐"}}) {
    *box = MakeCheck(hidden_, name, caption, {x, 540, 60, 24});
    x += 64;
  }
  Label7 = MakeLabel(hidden_, "Label7", "开始", {460, 540, 40, 22});
  Edit2 = MakeEdit(hidden_, "Edit2", "0", {502, 540, 60, 26});
  Label8 = MakeLabel(hidden_, "Label8", "结束", {570, 540, 40, 22});
  Edit3 = MakeEdit(hidden_, "Edit3", "400", {612, 540, 60, 26});

  Button5 = MakeButton(hidden_, "Button5", "Auto disconnect mode OFF", {8, 580, 240, 30});
  SetTextColor(Button5, Qt::red);

  // Controls no handler reads.
  Label2 = MakeLabel(hidden_, "Label2", "请输入要打印的内容：", {8, 620, 180, 22});
  Label3 = MakeLabel(hidden_, "Label3", "", {196, 620, 60, 22});
  Label6 = MakeLabel(hidden_, "Label6", " 连续打印         次", {264, 620, 180, 22});
  Label10 = MakeLabel(hidden_, "Label10", "", {452, 620, 200, 22});
  Image2 = new QLabel(hidden_);
  Image2->setObjectName("Image2");
  Image2->move(8, 650);
  SetPicture(Image2, Blank(222, 42, QImage::Format_Mono));
  cs0 = MakeEdit(hidden_, "cs0", " 1", {240, 650, 40, 26});
  ad = MakeCheck(hidden_, "ad", "Additional Command", {288, 650, 170, 24});
  Edit4 = MakeEdit(hidden_, "Edit4", kFactoryDefaultAddress, {466, 650, 130, 26});
  Edit5 = MakeEdit(hidden_, "Edit5", "", {604, 650, 80, 26});
  Edit6 = MakeEdit(hidden_, "Edit6", "Edit6", {692, 650, 80, 26});
  Edit7 = MakeEdit(hidden_, "Edit7", "Edit7", {780, 650, 80, 26});
  Button4 = MakeButton(hidden_, "Button4", "Button4", {868, 650, 80, 28});

  OnToggle(szt, [this] { sztClick(); });
  OnToggle(szt0, [this] { szt0Click(); });
  OnToggle(dcb, [this] { dcbClick(); });
  OnToggle(tcb, [this] { tcbClick(); });
  OnToggle(lcb, [this] { lcbClick(); });
  OnToggle(nvcb, [this] { nvcbClick(); });
  OnToggle(bpck, [this] { bpckClick(); });
  OnToggle(CheckBox1, [this] { CheckBox1Click(); });
  OnToggle(CheckBox2, [this] { CheckBox2Click(); });
  OnToggle(CheckBox3, [this] { CheckBox3Click(); });
  OnToggle(CheckBox4, [this] { CheckBox4Click(); });
  OnToggle(CheckBox5, [this] { CheckBox5Click(); });
  OnToggle(CheckBox6, [this] { CheckBox6Click(); });
  OnToggle(CheckBox7, [this] { CheckBox7Click(); });

  OnClick(ph, [this] { phClick(); });
  OnClick(st, [this] { stClick(); });
  OnClick(st0, [this] { st0Click(); });
  OnClick(pt, [this] { ptClick(); });
  OnClick(db, [this] { dbClick(); });
  OnClick(tb, [this] { tbClick(); });
  OnClick(lb, [this] { lbClick(); });
  OnClick(nvd, [this] { nvdClick(); });
  OnClick(nvp, [this] { nvpClick(); });
  OnClick(bbn, [this] { bbnClick(); });
  OnClick(bpb, [this] { bpbClick(); });
  OnClick(sdb, [this] { sdbClick(); });
  OnClick(crb, [this] { crbClick(); });
  OnClick(bb, [this] { bbClick(); });
  OnClick(cdb, [this] { cdbClick(); });
  OnClick(msb, [this] { msbClick(); });
  OnClick(fontb, [this] { fontbClick(); });
  OnClick(Button3, [this] { Button3Click(); });
  OnClick(Button1, [this] { Button1Click(); });
  OnClick(Open, [this] { OpenClick(); });
  OnClick(cut, [this] { cutClick(); });
  OnClick(QButton, [this] { QButtonClick(); });
  OnClick(Button2, [this] { Button2Click(); });
  OnClick(Button5, [this] { Button5Click(); });
}

void TForm1::SetSecondaryWindows(QWidget* bmf, QWidget* ledf, QWidget* nvf, QWidget* form2) {
  bmf_ = bmf;
  ledf_ = ledf;
  nvf_ = nvf;
  form2_ = form2;
}

void TForm1::FormCreate() {
  link_.noticeText = kNoticeText;
  tb->setText(U("TZ-R2XX") + QLatin1Char(ctl::LF) + U("波特率设置"));
  Label3->hide();
  SetStatusClock();
}

void TForm1::SetStatusClock() {
  QFont font(U("Arial"));
  font.setPointSize(14);
  StatusBar1->setFont(font);
  for (QLabel* panel : StatusPanels) panel->setFont(font);
  const QLocale locale = QLocale::system();
  // Each panel reads the clock on its own, as the two texts are made apart.
  StatusPanels[0]->setText(DateText(locale, QDate::currentDate()));
  StatusPanels[1]->setText(TimeText(locale, QTime::currentTime()));
}

void TForm1::Timer1Timer() { SetStatusClock(); }

void TForm1::sdChange() { cp.SetBaudRate(BaudRateFromText(sd->Text())); }

void TForm1::Button6Click() {
  link_.buffer = PrintSpeedCommand(Autocb->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::Button5Click() {
  link_.buffer = AutoDisconnectOffCommand();
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::Button7Click() { close(); }

void TForm1::QButtonClick() { close(); }

void TForm1::SetEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
  for (QWidget* c : controls) c->setEnabled(enabled);
}

void TForm1::sztClick() { SetEnabled({ph, st, cbs, UpDown3}, szt->isChecked()); }
void TForm1::szt0Click() { SetEnabled({pt, st0, cst}, szt0->isChecked()); }
void TForm1::dcbClick() { SetEnabled({db}, dcb->isChecked()); }

void TForm1::tcbClick() {
  SetEnabled({tb, tc}, tcb->isChecked());
  if (tcb->isChecked()) {
    dk->SetItemIndex(4);  // COM3
    sd->SetItemIndex(2);  // 9600
  }
}

void TForm1::lcbClick() {
  SetEnabled({lb}, lcb->isChecked());
  if (lcb->isChecked()) {
    dk->SetItemIndex(2);  // COM1
    sd->SetItemIndex(0);  // 2400
  }
}

void TForm1::nvcbClick() { SetEnabled({nvd, nvp, bbn}, nvcb->isChecked()); }

void TForm1::bpckClick() {
  SetEnabled({bpb, bpe1, bpe2, UpDown1, UpDown2, Label12, Label13}, bpck->isChecked());
}

void TForm1::CheckBox1Click() { SetEnabled({sdb, dc}, CheckBox1->isChecked()); }
void TForm1::CheckBox2Click() { SetEnabled({crb, crc}, CheckBox2->isChecked()); }
void TForm1::CheckBox3Click() { SetEnabled({cdb, cdc}, CheckBox3->isChecked()); }
void TForm1::CheckBox4Click() { SetEnabled({msb, msc}, CheckBox4->isChecked()); }
void TForm1::CheckBox5Click() { SetEnabled({bb, bc}, CheckBox5->isChecked()); }
void TForm1::CheckBox6Click() { SetEnabled({fontb, fontc}, CheckBox6->isChecked()); }
void TForm1::CheckBox7Click() { SetEnabled({Button3}, CheckBox7->isChecked()); }

void TForm1::ShowSecondary(QWidget* window) {
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

void TForm1::dbClick() { ShowSecondary(bmf_); }
void TForm1::nvdClick() { ShowSecondary(nvf_); }
void TForm1::Button3Click() { ShowSecondary(form2_); }

void TForm1::lbClick() {
  // The shown texts count, so a typed port name beginning with COM passes.
  if (dk->Text().substr(0, 3) != "COM") {
    dialogs().ShowMessage(kLedNeedsSerialPort);
    return;
  }
  if (sd->Text() != "2400") {
    dialogs().ShowMessage(kLedNeeds2400);
    return;
  }
  ShowSecondary(ledf_);
}

void TForm1::phClick() {
  link_.buffer = PrintHCommand();
  link_.SendToPrinter(ChannelScope::Full, true);
}

void TForm1::stClick() {
  // Converts before the link's port check: a bad digit is reported first.
  link_.buffer = HParameterCommand(cbs->Text());
  link_.SendToPrinter(ChannelScope::Full, true);
}

void TForm1::st0Click() {
  if (!link_.PortCheck()) return;
  link_.buffer = CodePageCommand(cst->text().toStdString());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::ptClick() {
  if (!link_.PortCheck()) return;
  link_.buffer = CodePagePrintCommand();
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::tbClick() {
  // The command only means something to a printer on a serial line.
  if (dk->ItemIndex() < 2) {
    dialogs().ShowMessage(kTbNeedsSerialPort);
    return;
  }
  link_.buffer = SerialBaudCommand(tc->Text());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::sdbClick() {
  link_.buffer = DensityCommand(dc->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::crbClick() {
  link_.buffer = AutoLineFeedCommand(crc->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::bbClick() {
  link_.buffer = BuzzerCommand(bc->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::cdbClick() {
  link_.buffer = ReprintCommand(cdc->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::msbClick() {
  link_.buffer = EmulationCommand(msc->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::fontbClick() {
  link_.buffer = SmallFontCommand(fontc->ItemIndex());
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::Button1Click() {
  if (!link_.PortCheck()) return;
  const int lines = StrToInt(Edit1->text().toStdString());
  int lineLength = 0;
  if (RadioButton1->isChecked())
    lineLength = 40;
  else if (RadioButton2->isChecked())
    lineLength = 42;
  else if (RadioButton3->isChecked())
    lineLength = 36;
  link_.buffer = PrintTestCommand(lineLength > 0 ? lines : 0, lineLength);
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::OpenClick() {
  if (!link_.PortCheck()) return;
  link_.buffer = CashDrawerCommand();
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::cutClick() {
  if (!link_.PortCheck()) return;
  link_.buffer = CutCommand();
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::Button2Click() {
  MechanismTestOptions options;
  options.upsideDown = dck->isChecked();
  options.unidirectional = bick->isChecked();
  options.align = dqck->isChecked();
  options.ownRange = zxck->isChecked();
  options.lineFeed = Lfck->isChecked();
  options.first = Edit2->text().toStdString();
  options.last = Edit3->text().toStdString();
  options.mode = cst->text().toStdString();
  // Built in full first: an option that does not convert is reported
  // before the port check.
  link_.buffer = MechanismTestCommand(options);
  if (!link_.PortCheck()) return;
  link_.SendToPrinter(ChannelScope::NoNetwork, false);
}

void TForm1::bpbClick() {
  const int count = StrToInt(bpe1->text().toStdString());
  const int time = StrToInt(bpe2->text().toStdString());
  link_.buffer = BeeperPromptCommand(count, time);
  link_.SendToPrinter(ChannelScope::Full, false);
}

void TForm1::nvpClick() {
  link_.buffer = NvLogoPrintCommand();
  link_.SendToPrinter(ChannelScope::NoNetwork, false, timeouts::kNetAfterSendMs, NameSource::ShownText);
}

void TForm1::bbnClick() {
  OpenDialog1.FilterIndex = 0;
  // A cancelled dialog tests the picture already loaded.
  if (auto name = dialogs().OpenFileName(OpenDialog1.Filter)) SetPicture(Image1, ToImage(LoadBmpFile(*name)));
  const RasterGeometry g = ComputeGeometry(Image1->width(), Image1->height());
  if (g.byteCount >= kByteCountLimit) dialogs().ShowMessage(kBitmapTooLarge);
}

void TForm1::closeEvent(QCloseEvent* event) {
  event->accept();
  // Closing the main window ends the program, whatever else is open.
  QApplication::quit();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  StatusBar1->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
}

int TForm1::PortIndex() const { return dk->ItemIndex(); }
std::string TForm1::PortText() const { return dk->Text(); }
std::string TForm1::PortEntryText() const { return dk->ItemText(); }
std::string TForm1::RateText() const { return sd->Text(); }
std::string TForm1::RateEntryText() const { return sd->ItemText(); }
std::string TForm1::IPString() const { return IPE->IPString(); }
