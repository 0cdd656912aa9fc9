#pragma once
// The main window: channel selectors, the print-speed controls, the clock.
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <array>

#include "link/comport.h"
#include "link/printer_link.h"

class TComboBox;
class TIPEdit;

// The factory-default address of the printer's network interface.
inline constexpr const char* kFactoryDefaultAddress = "192.168.123.100";

class TForm1 : public QWidget, public ChannelSelectors {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // ChannelSelectors: what the printer link reads at every send.
  int PortIndex() const override;
  std::string PortText() const override;
  std::string PortEntryText() const override;
  std::string RateText() const override;
  std::string RateEntryText() const override;
  std::string IPString() const override;

  PrinterLink& Link() { return link_; }

  // Handlers.
  void FormCreate();
  void sdChange();
  void Timer1Timer();
  void Button6Click();
  void Button5Click();
  void Button7Click();

  // Visible controls.
  QLabel* Label1;
  TComboBox* dk;
  QLabel* Label4;
  TComboBox* sd;
  QLabel* Label16;
  TIPEdit* IPE;
  TComboBox* Autocb;
  QPushButton* Button6;
  QPushButton* Button7;
  QStatusBar* StatusBar1;
  std::array<QLabel*, 3> StatusPanels;
  QTimer* Timer1;
  // Hidden, wired.
  QPushButton* Button5;

  TComPort cp;

  std::string noticeText;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SetStatusClock();

  PrinterLink link_;
  // Holds the controls that stay out of sight for the whole run.
  QWidget* hidden_;
};
