#pragma once
// The main window: channel selectors, the print-speed controls, the clock,
// and the feature panels that are wired but never shown.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <initializer_list>
#include <string>

#include "link/comport.h"
#include "link/printer_link.h"

class TComboBox;
class TIPEdit;
class TUpDown;

// The factory-default address of the printer's network interface.
inline constexpr const char* kFactoryDefaultAddress = "192.168.123.100";

inline constexpr const char* kTbNeedsSerialPort =
    "You must select Serial Port for TZ-R21II with serial port!!";
inline constexpr const char* kLedNeedsSerialPort =
    "You must select Serial Port for TZ-R23III's LED Display!!";
inline constexpr const char* kLedNeeds2400 = "You must select 2400bps for TZ-R23III's LED Display!!";
inline constexpr const char* kBitmapTooLarge = "BMP图形太大!请重新选择!";

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

  // The windows the panels open; created at start after this one.
  void SetSecondaryWindows(QWidget* bmf, QWidget* ledf, QWidget* nvf, QWidget* form2);

  // Handlers.
  void FormCreate();
  void sdChange();
  void Timer1Timer();
  void Button6Click();
  void Button5Click();
  void Button7Click();
  void QButtonClick();
  // Enable rules of the panels.
  void sztClick();
  void szt0Click();
  void dcbClick();
  void tcbClick();
  void lcbClick();
  void nvcbClick();
  void bpckClick();
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox5Click();
  void CheckBox6Click();
  void CheckBox7Click();
  // Secondary windows.
  void dbClick();
  void lbClick();
  void nvdClick();
  void Button3Click();
  // Parameter commands.
  void phClick();
  void stClick();
  void st0Click();
  void ptClick();
  void tbClick();
  void sdbClick();
  void crbClick();
  void bbClick();
  void cdbClick();
  void msbClick();
  void fontbClick();
  // Tests and device actions.
  void Button1Click();
  void OpenClick();
  void cutClick();
  void Button2Click();
  void bpbClick();
  void nvpClick();
  void bbnClick();

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

  // Hidden, wired. H parameter panel.
  QCheckBox* szt;
  QPushButton* ph;
  QPushButton* st;
  TComboBox* cbs;
  QLineEdit* cs;
  TUpDown* UpDown3;
  QLabel* Label5;
  QLabel* Label9;
  QLabel* Label11;
  // Code page panel.
  QCheckBox* szt0;
  QPushButton* pt;
  QPushButton* st0;
  QLineEdit* cst;
  // Black-mark panel.
  QCheckBox* dcb;
  QPushButton* db;
  // Serial baud panel.
  QCheckBox* tcb;
  QPushButton* tb;
  TComboBox* tc;
  QLabel* Label14;
  QLabel* Label15;
  // LED display panel.
  QCheckBox* lcb;
  QPushButton* lb;
  // NV logo panel.
  QCheckBox* nvcb;
  QPushButton* nvd;
  QPushButton* nvp;
  QPushButton* bbn;
  QLabel* Image1;
  // Beeper prompt panel.
  QCheckBox* bpck;
  QPushButton* bpb;
  QLabel* Label12;
  QLineEdit* bpe1;
  TUpDown* UpDown1;
  QLabel* Label13;
  QLineEdit* bpe2;
  TUpDown* UpDown2;
  TComboBox* ComboBox1;
  // Density, line feed, buzzer, reprint, emulation, small font panels.
  QCheckBox* CheckBox1;
  QPushButton* sdb;
  TComboBox* dc;
  QCheckBox* CheckBox2;
  QPushButton* crb;
  TComboBox* crc;
  QCheckBox* CheckBox5;
  QPushButton* bb;
  TComboBox* bc;
  QCheckBox* CheckBox3;
  QPushButton* cdb;
  TComboBox* cdc;
  QCheckBox* CheckBox4;
  QPushButton* msb;
  TComboBox* msc;
  QCheckBox* CheckBox6;
  QPushButton* fontb;
  TComboBox* fontc;
  // Status check panel.
  QCheckBox* CheckBox7;
  QPushButton* Button3;
  // Print test group.
  QPushButton* Button1;
  QLineEdit* Edit1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QPushButton* Open;
  QPushButton* cut;
  QPushButton* QButton;
  // Mechanism test group.
  QPushButton* Button2;
  QCheckBox* dck;
  QCheckBox* Lfck;
  QCheckBox* zxck;
  QCheckBox* bick;
  QCheckBox* dqck;
  QLabel* Label7;
  QLineEdit* Edit2;
  QLabel* Label8;
  QLineEdit* Edit3;
  // Auto-disconnect button.
  QPushButton* Button5;
  // Read by nothing.
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label6;
  QLabel* Label10;
  QLabel* Image2;
  QLineEdit* cs0;
  QCheckBox* ad;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QPushButton* Button4;

  // The open-file dialog of bbn: its filter, asked through dialogs().
  struct FileDialog {
    std::string Filter;
    int FilterIndex = 0;
  } OpenDialog1;

  TComPort cp;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateHiddenControls();
  void SetStatusClock();
  static void SetEnabled(std::initializer_list<QWidget*> controls, bool enabled);
  static void ShowSecondary(QWidget* window);

  PrinterLink link_;
  // Holds the controls that stay out of sight for the whole run.
  QWidget* hidden_;
  QButtonGroup* radioGroup_;
  QWidget* bmf_ = nullptr;
  QWidget* ledf_ = nullptr;
  QWidget* nvf_ = nullptr;
  QWidget* form2_ = nullptr;
};
