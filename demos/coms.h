#pragma once
// Status check of serial printers.
#include <QButtonGroup>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <optional>

#include "demos/status.h"

class PrinterLink;

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(PrinterLink& link, QWidget* parent = nullptr);

  // Handlers.
  void Button1Click();
  void Button2Click();

  // The model family chosen in RadioGroup1, -1 for none.
  int RadioGroup1Index() const;
  void SetRadioGroup1Index(int index);

  QGroupBox* RadioGroup1;
  std::array<QRadioButton*, 4> RadioGroup1Items;
  QLineEdit* Edit1;
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit2;
  QPushButton* Button2;
  QPushButton* Button1;

  // The values of the last check's family.
  StatusFamily family;
  // The reply digits of the last check that got as far as judging.
  std::string replyDigits;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void DrawLamp(const QColor& colour);

  PrinterLink& link_;
  QButtonGroup* radioButtons_;
  // The lamp is no control: it stays until the window is hidden or resized.
  std::optional<QColor> lamp_;
};
