#pragma once
// The NV logo tool: load a bitmap, store it in the printer, print it.
#include <QWidget>

class PrinterLink;

class Tnvf : public QWidget {
  Q_OBJECT
 public:
  explicit Tnvf(PrinterLink& link, QWidget* parent = nullptr);

 private:
  PrinterLink& link_;
};
