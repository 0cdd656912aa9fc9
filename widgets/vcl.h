#pragma once
// Small adapters that give Qt widgets the habits of the form's controls.
#include <QAbstractButton>
#include <QString>
#include <functional>

#include "core/guard.h"

// Runs handler on every click, through the error guard.
inline void OnClick(QAbstractButton* button, std::function<void()> handler) {
  QObject::connect(button, &QAbstractButton::clicked, button, [h = std::move(handler)] { Guarded(h); });
}

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
