#pragma once
// The message boxes and the file dialog on screen.
#include <QString>

#include "core/dialogs.h"

class QtDialogs : public Dialogs {
 public:
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> OpenFileName(const std::string& filter) override;
};

// The form's filter text ("位图文件（*.Bmp)") as a Qt name filter; patterns
// match in either case, as file names do where the form came from.
QString QtNameFilter(const std::string& filter);
