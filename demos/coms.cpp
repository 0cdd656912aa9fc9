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

QFont FontPixels(const char* family, int pixels) {
  QFont font(U(family));
  font.setPixelSize(pixels);
  return font;
}
}  // namespace

TForm2::TForm2(PrinterLink& link, QWidget* parent)
    : QWidget(parent, Qt::Window), family(StatusFamilyOfIndex(kStartFamily)), link_(link) {
  setObjectName("Form2");
  setWindowTitle(U("TZ 串口型号打印机状态检测"));
  resize(476, 337);

  RadioGroup1 = new QGroupBox(U("打印机型号"), this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setGeometry(8, 8, 460, 72);
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

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(8, 86, 460, 24);

  const QFont textFont = FontPixels("宋体", 13);
  Label1 = new QLabel(U("打印机状态:"), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(8, 120, 89, 16);
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(136, 120, 201, 16);

  Edit2 = new QLineEdit(QStringLiteral("Edit2"), this);
  Edit2->setObjectName("Edit2");
  Edit2->setGeometry(344, 116, 121, 24);
  Edit2->hide();

  Button2 = new QPushButton(U("打印机状态检测"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(8, 160, 460, 56);
  Button1 = new QPushButton(U("关闭"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(8, 236, 460, 56);
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
  QPalette p = Label2->palette();
  p.setColor(QPalette::WindowText, colour);
  Label2->setPalette(p);
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
