#pragma once
// Every message box and file dialog of the program goes through this one
// interface, so that tests can answer them without a modal box.
#include <optional>
#include <string>

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The information box: text, one OK button, no icon.
  virtual void ShowMessage(const std::string& text) = 0;
  // The application error box: stop icon; text is already in its final form.
  virtual void ShowError(const std::string& text) = 0;
  // An open-file dialog; nothing when the user cancels.
  virtual std::optional<std::string> OpenFileName(const std::string& filter) = 0;
};

// The dialogs in use; the application installs its own at start.
Dialogs& dialogs();
// Installs d (not owned) and returns the previous one.
Dialogs* SetDialogs(Dialogs* d);

// The application title, caption of every message box.
inline constexpr const char* kApplicationTitle = "Auto disconnect mode set program V1.1";
