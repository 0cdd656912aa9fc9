#pragma once
// Dialogs that answer at once and remember what they were asked to show.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/dialogs.h"

class RecordingDialogs : public Dialogs {
 public:
  RecordingDialogs() : previous_(SetDialogs(this)) {}
  ~RecordingDialogs() override { SetDialogs(previous_); }

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  std::optional<std::string> OpenFileName(const std::string& filter) override {
    filters.push_back(filter);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }

  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> filters;
  // Answers of the next file dialogs; nothing queued means cancel.
  std::deque<std::optional<std::string>> fileAnswers;

 private:
  Dialogs* previous_;
};
