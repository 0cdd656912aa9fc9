#pragma once
// Black-mark offset setting and demonstration.
#include <QWidget>

class PrinterLink;

class Tbmf : public QWidget {
  Q_OBJECT
 public:
  explicit Tbmf(PrinterLink& link, QWidget* parent = nullptr);

 private:
  PrinterLink& link_;
};
