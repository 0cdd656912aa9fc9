#pragma once
// Scripted operation: runs lines such as "select Form1.dk COM3" or
// "click Form1.Button6" against the real windows and their handlers.
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/dialogs.h"

struct Windows;
class QObject;
class QWidget;

// Boxes become lines on the output; file dialogs take the script's answers.
class ScriptDialogs : public Dialogs {
 public:
  explicit ScriptDialogs(std::ostream& out) : out_(out) {}
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> OpenFileName(const std::string& filter) override;

  // The answer of the next file dialog; nothing means cancel.
  std::deque<std::optional<std::string>> fileAnswers;

 private:
  std::ostream& out_;
};

class ScriptRunner {
 public:
  ScriptRunner(Windows& windows, ScriptDialogs& dialogs, std::ostream& out, std::ostream& err);

  // Runs every line; 0 when all ran, 2 at the first line that cannot run.
  int Run(std::istream& script);

  static constexpr int kLineFailed = 2;

 private:
  // Runs one line; an empty result means it ran, else the reason it cannot.
  std::string RunLine(const std::string& line);
  QWidget* Window(const std::string& instance) const;
  QObject* Control(const std::string& name, std::string& reason) const;

  Windows& windows_;
  ScriptDialogs& dialogs_;
  std::ostream& out_;
  std::ostream& err_;
};

// The text of printset --help.
std::string ScriptHelp();
