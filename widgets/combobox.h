#pragma once
// An editable drop-down box that behaves as the form's boxes do: a text the
// user types selects no item (ItemIndex -1) until an item is picked again,
// and the change handler runs for the user's changes only, never for a
// selection made in code.
#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

class TComboBox : public QComboBox {
  Q_OBJECT
 public:
  TComboBox(QWidget* parent, const char* name, const std::vector<const char*>& items, int itemIndex,
            int dropDownCount = 8);

  int ItemIndex() const { return typed_ ? -1 : currentIndex(); }
  // A selection made in code: no change handler runs.
  void SetItemIndex(int index);
  // The text the box shows.
  std::string Text() const;
  // The text of the selected item, empty when none is selected.
  std::string ItemText() const;
  // Replaces the text as the user's typing would (selects no item, runs OnChange).
  void TypeText(const std::string& text);
  // Picks the item as the user would from the list (runs OnChange).
  void PickItem(int index);
  // Sets a text without selecting an item and without running OnChange,
  // as a form's initial text does.
  void SetInitialText(const std::string& text);

  std::function<void()> OnChange;

 private:
  void Changed();
  bool typed_ = false;
};
