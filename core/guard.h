#pragma once
// Runs a handler; an error it raises ends it and goes to the error box.
// Nothing may be thrown through Qt's event loop, so every handler runs here.
#include <exception>
#include <utility>

#include "core/dialogs.h"
#include "core/errors.h"

template <class F>
void Guarded(F&& handler) {
  try {
    std::forward<F>(handler)();
  } catch (const std::exception& e) {
    dialogs().ShowError(ErrorBoxText(e.what()));
  } catch (...) {
    dialogs().ShowError(ErrorBoxText("Unknown error"));
  }
}
