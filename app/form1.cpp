#include "app/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>

#include "app/clock_text.h"
#include "commands/speed.h"
#include "link/baudrate.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"
#include "widgets/vcl.h"

namespace {
constexpr int kClientWidth = 558;
constexpr int kClientHeight = 357;
constexpr int kStatusHeight = 34;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  auto* label = new QLabel(U(caption), parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  auto* button = new QPushButton(U(caption), parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

void SetTextColor(QWidget* w, const QColor& color) {
  QPalette p = w->palette();
  p.setColor(QPalette::ButtonText, color);
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::Text, color);
  w->setPalette(p);
}
}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), link_(*this, cp) {
  setObjectName("Form1");
  setWindowTitle(U("Print speed set program V1.0"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  resize(kClientWidth, kClientHeight);
  QFont formFont(U("宋体"));
  formFont.setPixelSize(16);
  setFont(formFont);

  hidden_ = new QWidget(this);
  hidden_->setObjectName("hiddenControls");
  hidden_->hide();

  QFont selectorFont(U("Arial"));
  selectorFont.setPointSize(11);

  Label1 = MakeLabel(this, "Label1", "Select Port:", {32, 20, 150, 22});
  dk = new TComboBox(this, "dk",
                     {"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "Ethernet"}, 0,
                     15);
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

  Button5 = MakeButton(hidden_, "Button5", "Auto disconnect mode OFF", {0, 0, 240, 30});
  SetTextColor(Button5, Qt::red);
  OnClick(Button5, [this] { Button5Click(); });

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

void TForm1::FormCreate() {
  noticeText = kNoticeText;
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
