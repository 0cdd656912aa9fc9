#include "demos/coms.h"

#include <QGridLayout>
#include <QPainter>

#include "core/dialogs.h"
#include "link/baudrate.h"
#include "link/printer_link.h"
#include "widgets/vcl.h"

namespace {
// Where the lamp sits: between Label1 and Label2.
constexpr QRect kLampRect{QPoint(100, 115), QPoint(119, 134)};

const char* const kModelFamilies[] = {"TZ-D4XX系列", "TZ-R40系列", "TZ-W6XXX系列",
                                      "TZ-R22III/TZ-R25XIII系列"};
constexpr int kStartFamily = 2;
}  // namespace

TForm2::TForm2(PrinterLink& link, QWidget* parent)
    : QWidget(parent, Qt::Window), family(StatusFamilyOfIndex(kStartFamily)), link_(link) {
  setObjectName("Form2");
  setWindowTitle(U("TZ 串口型号打印机状态检测"));
  resize(476, 337);

  RadioGroup1 = MakeControl<QGroupBox>(this, "RadioGroup1", U("打印机型号"), {8, 8, 460, 72});
  RadioGroup1->setFont(FontPixels("Arial", 13));
  auto* grid = new QGridLayout(RadioGroup1);
  radioButtons_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    auto* item = new QRadioButton(U(kModelFamilies[i]), RadioGroup1);
    item->setObjectName(QStringLiteral("RadioGroup1.Item%1").arg(i));
    // Two columns, filled column by column.
    grid->addWidget(item, i % 2, i / 2);
    radioButtons_->addButton(item, i);
    RadioGroup1Items[i] = item;
  }
  SetRadioGroup1Index(kStartFamily);

  Edit1 = MakeControl<QLineEdit>(this, "Edit1", {8, 86, 460, 24});

  const QFont textFont = FontPixels("宋体", 13);
  Label1 = MakeLabel(this, "Label1", "打印机状态:", {8, 120, 89, 16});
  Label2 = MakeControl<QLabel>(this, "Label2", {136, 120, 201, 16});

  Edit2 = MakeEdit(this, "Edit2", "Edit2", {344, 116, 121, 24});
  Edit2->hide();

  Button2 = MakeButton(this, "Button2", "打印机状态检测", {8, 160, 460, 56});
  Button1 = MakeButton(this, "Button1", "关闭", {8, 236, 460, 56});
  for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                     static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2)})
    w->setFont(textFont);

  OnClick(Button1, [this] { Button1Click(); });
  OnClick(Button2, [this] { Button2Click(); });
}

int TForm2::RadioGroup1Index() const { return radioButtons_->checkedId(); }

void TForm2::SetRadioGroup1Index(int index) {
  if (index >= 0 && index < static_cast<int>(RadioGroup1Items.size()))
    RadioGroup1Items[index]->setChecked(true);
}

void TForm2::Button1Click() { close(); }

void TForm2::Button2Click() {
  family = StatusFamilyOfIndex(RadioGroup1Index());
  // The query stays in the command buffer, also when the port is refused.
  link_.buffer = family.query;

  ChannelSelectors& selectors = link_.Selectors();
  const int index = selectors.PortIndex();
  if (ChannelOfIndex(index) != Channel::Serial) {
    dialogs().ShowMessage(kSelectSerialPort);
    return;
  }
  // The reply goes to the judge in memory: no file of the user's is touched.
  const ByteString reply = ExchangeStatus(link_.ComPort(), selectors.PortEntryText(),
                                          BaudRateFromText(selectors.RateText()), link_.buffer);

  replyDigits = ReplyDigits(reply, family.mask);
  const StatusVerdict verdict = JudgeReply(replyDigits, family.offlinePattern);
  const QColor colour(verdict.colour.r, verdict.colour.g, verdict.colour.b);
  SetTextColor(Label2, colour, {QPalette::WindowText});
  Label2->setText(U(verdict.text));
  DrawLamp(colour);
}

void TForm2::DrawLamp(const QColor& colour) {
  lamp_ = colour;
  update(kLampRect.adjusted(-1, -1, 1, 1));
}

void TForm2::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!lamp_) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(*lamp_);
  painter.setBrush(*lamp_);
  painter.drawEllipse(kLampRect);
}

void TForm2::hideEvent(QHideEvent* event) {
  lamp_.reset();
  QWidget::hideEvent(event);
}

void TForm2::resizeEvent(QResizeEvent* event) {
  lamp_.reset();
  QWidget::resizeEvent(event);
}
