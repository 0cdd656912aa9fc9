#pragma once
// The NV logo tool: load a bitmap, store it in the printer, print it.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "core/bytes.h"
#include "nvlogo/bmp.h"
#include "nvlogo/raster.h"

class PrinterLink;

// A framed group of radio items of which one is selected.
class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadioGroup(QWidget* parent, const char* name, const char* caption, const std::vector<const char*>& items,
              int itemIndex);
  int ItemIndex() const { return buttons_.checkedId(); }
  void SetItemIndex(int index);
  QRadioButton* Item(int index) const;

 private:
  QButtonGroup buttons_;
};

// The file-open dialog of the window: its filter, asked through dialogs().
struct TOpenDialog {
  std::string Filter;
  int FilterIndex = 0;
  std::optional<std::string> Execute() const;
};

class Tnvf : public QWidget {
  Q_OBJECT
 public:
  explicit Tnvf(PrinterLink& link, QWidget* parent = nullptr);

  // Handlers.
  void BitBtn1Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button9Click();
  void Button10Click();
  void Button11Click();

  // When hcb is ticked, the command buffer goes to the export file of Edit9.
  void SaveHexCopy();

  // The picture Image1 shows, as its file holds it.
  const Picture& ImagePicture() const { return picture_; }

  // Visible controls.
  QPushButton* BitBtn1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button5;
  QPushButton* Button1;
  QLabel* Image1;
  QLabel* Label1;
  TRadioGroup* RadioGroup1;
  QRadioButton* RadioButton5;
  QRadioButton* RadioButton6;
  TOpenDialog OpenDialog1;
  // Hidden, wired.
  QPushButton* Button8;
  QPushButton* Button10;
  QPushButton* Button9;
  QPushButton* Button4;
  QPushButton* Button6;
  QPushButton* Button7;
  QPushButton* Button11;
  QCheckBox* hcb;
  QLineEdit* Edit9;
  QLineEdit* Edit10;
  QLineEdit* Edit11;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QLineEdit* Edit8;
  std::array<QLabel*, 8> Labels;  // Label2 … Label9

 private:
  void SetPicture(Picture picture);
  ImagePlace Place() const;
  // The client area drawn off-screen: what the window shows, whether it is
  // covered, minimised or hidden.
  Surface DrawSurface() const;
  // Image width less the crop offset of Edit11; refuses an offset that
  // leaves no picture.
  int CroppedWidth(int crop) const;
  void ListingClick(bool scrambled);
  void SendTestPageCopies(const ByteString& page, int copies);
  void CountCopy();

  PrinterLink& link_;
  Picture picture_;
};
