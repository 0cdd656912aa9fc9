#include "nvlogo/nvl.h"

#include "widgets/vcl.h"

Tnvf::Tnvf(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  setObjectName("nvf");
  setWindowTitle(U("TZ W6 NV Logo 演示"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(750, 539);
}
