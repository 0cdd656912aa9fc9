#include "demos/lef.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "demos/led.h"
#include "link/printer_link.h"
#include "widgets/vcl.h"

namespace {
// The printer's name, white on black, 133 x 39 at 24 bits per pixel.
QPixmap LogoPicture() {
  QImage image(133, 39, QImage::Format_RGB888);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setPen(Qt::white);
  painter.setFont(FontPixels("Arial", 22));
  painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("TZ-R23III"));
  painter.end();
  return QPixmap::fromImage(image);
}
}  // namespace

Tledf::Tledf(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  setObjectName("ledf");
  setWindowTitle(U("TZ-R23III LED显示演示"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(476, 337);

  const QFont buttonFont = FontPixels("宋体", 14);
  struct Row {
    QPushButton*& button;
    const char* name;
    const char* caption;
  } rows[] = {
      {Button2, "Button2", "亮 单价"}, {Button3, "Button3", "亮 总计"},  {Button4, "Button4", "显示 金额"},
      {Button5, "Button5", "清屏"},    {Button6, "Button6", "清光标行"}, {Button7, "Button7", "初始化 LED"},
  };
  int y = 12;
  for (Row& row : rows) {
    row.button = MakeButton(this, row.name, row.caption, {16, y, 140, 32});
    row.button->setFont(buttonFont);
    y += 38;
  }

  Edit1 = MakeEdit(this, "Edit1", "12345678", {172, Button4->y(), 160, 32});
  Edit1->setFont(FontPixels("Arial", 19));
  Edit1->setMaxLength(kLedAmountMaxLength);
  SetTextColor(Edit1, Qt::blue, {QPalette::Text});

  Button1 = MakeButton(this, "Button1", "关    闭", {16, 252, 280, 49});
  Button1->setFont(FontPixels("宋体", 21));

  Image1 = MakeControl<QLabel>(this, "Image1", {323, 252, 137, 49});
  Image1->setPixmap(LogoPicture());

  OnClick(Button1, [this] { Button1Click(); });
  OnClick(Button2, [this] { Button2Click(); });
  OnClick(Button3, [this] { Button3Click(); });
  OnClick(Button4, [this] { Button4Click(); });
  OnClick(Button5, [this] { Button5Click(); });
  OnClick(Button6, [this] { Button6Click(); });
  OnClick(Button7, [this] { Button7Click(); });
}

void Tledf::Button1Click() { close(); }

void Tledf::Button2Click() {
  link_.buffer = LightUnitPrice();
  Send();
}

void Tledf::Button3Click() {
  link_.buffer = LightTotal();
  Send();
}

void Tledf::Button4Click() {
  link_.buffer = ShowAmount(Edit1->text().toStdString());
  Send();
}

void Tledf::Button5Click() {
  link_.buffer = ClearScreen();
  Send();
}

void Tledf::Button6Click() {
  link_.buffer = ClearCursorLine();
  Send();
}

void Tledf::Button7Click() {
  link_.buffer = InitialiseLed();
  Send();
}

void Tledf::Send() {
  link_.SendToPrinter(ChannelScope::ShortSerial, false, timeouts::kNetAfterSendMs, NameSource::ShownText);
}
