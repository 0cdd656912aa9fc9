#pragma once
// Black-mark offset setting and demonstration.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "demos/blackmark.h"

class PrinterLink;

class Tbmf : public QWidget {
  Q_OBJECT
 public:
  explicit Tbmf(PrinterLink& link, QWidget* parent = nullptr);

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
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QPushButton* Button6;
  QPushButton* Button7;
  QLabel* Label5;
  QLineEdit* Edit5;
  QLabel* Label6;
  QLineEdit* Edit6;
  QPushButton* Button1;

 private:
  // Reads the edit, checks and converts it, shows nL and nH, sends `sends` times.
  void SetOffset(QLineEdit* edit, MarkPosition a, FeedDirection m, int sends);
  void Send();

  PrinterLink& link_;
};
