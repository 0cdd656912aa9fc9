#include "demos/lef.h"

#include "widgets/vcl.h"

Tledf::Tledf(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  setObjectName("ledf");
  setWindowTitle(U("TZ-R23III LED显示演示"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(476, 337);
}
