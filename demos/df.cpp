#include "demos/df.h"

#include "widgets/vcl.h"

Tbmf::Tbmf(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  setObjectName("bmf");
  setWindowTitle(U("TZ D4针打黑标定位偏移量设置/演示"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(476, 337);
}
