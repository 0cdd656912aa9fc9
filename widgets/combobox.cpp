#include "widgets/combobox.h"

#include <QLineEdit>

#include "core/guard.h"

TComboBox::TComboBox(QWidget* parent, const char* name, const std::vector<const char*>& items, int itemIndex,
                     int dropDownCount)
    : QComboBox(parent) {
  setObjectName(name);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // No inline completion: a typed text must stay as typed.
  setCompleter(nullptr);
  setMaxVisibleItems(dropDownCount);
  for (const char* item : items) addItem(QString::fromUtf8(item));
  setCurrentIndex(itemIndex);
  if (itemIndex < 0) setEditText(QString());

  // Qt picks the item matching the typed text when editing finishes (Enter
  // or leaving the box); here a typed text stays typed.
  disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) {
    typed_ = true;
    Changed();
  });
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
    typed_ = false;
    setEditText(itemText(index));
    Changed();
  });
}

void TComboBox::SetItemIndex(int index) {
  typed_ = false;
  setCurrentIndex(index);
  // Picking the item already current must still drop a typed text.
  setEditText(index < 0 ? QString() : itemText(index));
}

std::string TComboBox::Text() const { return currentText().toStdString(); }

std::string TComboBox::ItemText() const {
  const int index = ItemIndex();
  return index < 0 ? std::string() : itemText(index).toStdString();
}

void TComboBox::TypeText(const std::string& text) {
  typed_ = true;
  setEditText(QString::fromStdString(text));
  Changed();
}

void TComboBox::PickItem(int index) {
  SetItemIndex(index);
  Changed();
}

void TComboBox::SetInitialText(const std::string& text) {
  typed_ = true;
  setEditText(QString::fromStdString(text));
}

void TComboBox::Changed() {
  if (OnChange) Guarded(OnChange);
}
