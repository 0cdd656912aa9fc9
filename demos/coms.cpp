#include "demos/coms.h"

#include "widgets/vcl.h"

TForm2::TForm2(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  setObjectName("Form2");
  setWindowTitle(U("TZ 串口型号打印机状态检测"));
  resize(476, 337);
}
