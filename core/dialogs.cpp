#include "core/dialogs.h"

#include <cstdio>

namespace {
// Until the application installs its boxes, speak on standard error.
class StderrDialogs : public Dialogs {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  std::optional<std::string> OpenFileName(const std::string&) override { return std::nullopt; }
};

StderrDialogs fallback;
Dialogs* current = &fallback;
}  // namespace

Dialogs& dialogs() { return *current; }

Dialogs* SetDialogs(Dialogs* d) {
  Dialogs* old = current;
  current = d ? d : &fallback;
  return old;
}
