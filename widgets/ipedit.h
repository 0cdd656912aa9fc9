#pragma once
// The dotted IPv4 address box: one framed control holding four one-octet
// fields, with a dot painted in the gap after each of the first three.
#include <QLineEdit>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class TIPEdit;

// One octet of the address: a frameless, centred edit of at most three characters.
class TIPFieldEdit : public QLineEdit {
  Q_OBJECT
 public:
  TIPFieldEdit(TIPEdit* owner, QWidget* parent, int index);

  int Index() const { return index_; }
  // The octet the address reports; an emptied field keeps its last one.
  int Value() const { return value_; }
  void SetValue(int value) { value_ = value; }
  bool IsError() const { return error_; }
  int LowValue() const { return low_; }
  int HighValue() const { return high_; }

  // The caret's position within the text, 0 = before the first character.
  int CaretColumn() const { return cursorPosition(); }
  // A text the control sets itself: the caret goes before the first
  // character, as the native edit puts it, so it never moves on by itself.
  void SetTextByControl(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void CheckText(const QString& text);

  TIPEdit* owner_;
  int index_;
  bool error_ = false;
  int low_ = 0;
  int high_ = 255;
  int value_ = 0;
  bool settingText_ = false;
};

class TIPEdit : public QWidget {
  Q_OBJECT
 public:
  enum class TBorderStyle { bsNone, bsSingle };

  explicit TIPEdit(QWidget* parent = nullptr);
  ~TIPEdit() override;

  // "a.b.c.d"; "255" alone while a field is marked in error.
  std::string IPString() const;
  // Sets all four fields, or none when the text has fewer than four parts.
  // Raises no OnChange.
  void SetIPString(const std::string& text);

  bool Error() const;
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool ctl3D);
  int BorderWidth() const;
  // Background of the control and its fields (the palette's Base).
  QColor Color() const;
  void SetColor(const QColor& color);
  // Colour of the digits and the dots (the palette's Text).
  QColor FontColor() const;
  void SetFontColor(const QColor& color);
  // The font's size in points and its height in pixels at 96 dots per inch,
  // the two numbers the layout is worked out from whatever the screen is.
  int FontPointSize() const;
  int FontPixelHeight() const;

  TIPFieldEdit* Field(int index) const { return fields_[index]; }
  void FocusNextField(bool selectAll);
  void FocusPrevField(bool selectAll);
  int FocusedFieldIndex() const;
  void PlaceCaret(int field, int column);

  void ArrangeFields();
  // Where field i and dot k sit, in the coordinates of the area inside the border.
  QRect FieldRect(int index) const;
  QPoint DotPosition(int index) const;
  QRect ClientRect() const;

  // Sender is the control's parent widget.
  std::function<void(QObject* sender)> OnChange;
  std::function<void(QObject* sender, int field)> OnError;

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  friend class TIPFieldEdit;
  void RaiseChange();
  void RaiseError(int field);
  void FocusChanged(QWidget* old, QWidget* now);
  bool Owns(const QWidget* w) const;
  void PlaceClient();

  struct Layout {
    int width, gap, height, top, left0;
  };
  Layout ComputeLayout() const;

  QWidget* client_ = nullptr;
  std::array<TIPFieldEdit*, 4> fields_{};
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool ctl3D_ = true;
  bool tabStop_ = true;
  // Reason of the latest focus-in of a field, read when the focus change is announced.
  Qt::FocusReason lastFieldFocusReason_ = Qt::OtherFocusReason;
};
