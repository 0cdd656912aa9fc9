#pragma once
// LED customer display demonstration.
#include <QWidget>

class PrinterLink;

class Tledf : public QWidget {
  Q_OBJECT
 public:
  explicit Tledf(PrinterLink& link, QWidget* parent = nullptr);

 private:
  PrinterLink& link_;
};
