#pragma once
// An up-down spinner tied to a buddy edit: the edit always shows the
// spinner's position, which stays within [Min, Max].
#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int position READ Position WRITE SetPosition)
 public:
  TUpDown(QWidget* parent, const char* name, QLineEdit* buddy, int min, int max, int position);

  int Position() const { return position_; }
  // Clamps to the range and writes the buddy's text.
  void SetPosition(int position);
  int Min() const { return min_; }
  int Max() const { return max_; }
  QLineEdit* Buddy() const { return buddy_; }

  // One step, as a click on an arrow.
  void StepUp() { Step(+1); }
  void StepDown() { Step(-1); }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 private:
  void Step(int delta);

  QLineEdit* buddy_;
  QToolButton* up_;
  QToolButton* down_;
  int min_;
  int max_;
  int position_;
};
