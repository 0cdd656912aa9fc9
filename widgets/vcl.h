#pragma once
// Small adapters that give Qt widgets the habits of the form's controls.
#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>

#include "core/guard.h"

// Runs handler on every click, through the error guard.
inline void OnClick(QAbstractButton* button, std::function<void()> handler) {
  QObject::connect(button, &QAbstractButton::clicked, button, [h = std::move(handler)] { Guarded(h); });
}

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A control as the form designer placed it: its name and bounds, and its
// caption where it has one.
template <class W>
W* MakeControl(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* control = new W(caption, parent);
  control->setObjectName(name);
  control->setGeometry(geometry);
  return control;
}

template <class W>
W* MakeControl(QWidget* parent, const char* name, QRect geometry) {
  auto* control = new W(parent);
  control->setObjectName(name);
  control->setGeometry(geometry);
  return control;
}

inline QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  return MakeControl<QPushButton>(parent, name, U(caption), geometry);
}

inline QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  return MakeControl<QLabel>(parent, name, U(caption), geometry);
}

inline QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, QRect geometry) {
  return MakeControl<QLineEdit>(parent, name, U(text), geometry);
}

inline QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  return MakeControl<QCheckBox>(parent, name, U(caption), geometry);
}

// A font sized in pixels, as the forms' fonts are.
inline QFont FontPixels(const char* family, int pixels, bool bold = false) {
  QFont font(U(family));
  font.setPixelSize(pixels);
  if (bold) font.setBold(true);
  return font;
}

// The text colour of a control; by default in every role a control may draw
// its text in (labels, buttons, edits).
inline void SetTextColor(QWidget* w, const QColor& colour,
                         std::initializer_list<QPalette::ColorRole> roles = {
                             QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
  QPalette p = w->palette();
  for (QPalette::ColorRole role : roles) p.setColor(role, colour);
  w->setPalette(p);
}
