#pragma once
// LED customer display demonstration.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class PrinterLink;

class Tledf : public QWidget {
  Q_OBJECT
 public:
  explicit Tledf(PrinterLink& link, QWidget* parent = nullptr);

  // Handlers.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();

  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button6;
  QPushButton* Button7;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QLabel* Image1;

 private:
  void Send();

  PrinterLink& link_;
};
