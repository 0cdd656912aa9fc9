#pragma once
// Status check of serial printers.
#include <QWidget>

class PrinterLink;

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(PrinterLink& link, QWidget* parent = nullptr);

 private:
  PrinterLink& link_;
};
