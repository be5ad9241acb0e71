// SPDX-License-Identifier: GPL-2.0-or-later
// The one catch-and-continue helper of start-up and of rebuilding the
// chart: a step that throws is noted and skipped, and the next step runs.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "i18n/message.h"

namespace caelora {

class StepRunner {
 public:
  // `onError` sees each note as it is made (the window prints it).
  explicit StepRunner(std::function<void(const std::string&)> onError = {})
      : onError_(std::move(onError)) {}

  // Runs `step`; returns false when it threw.
  template <typename Step>
  bool run(const char* name, Step&& step) {
    try {
      std::forward<Step>(step)();
      return true;
    } catch (const std::exception& e) {
      note(name, messageOf(e));
    } catch (...) {
      note(name, Message("UnknownError"));
    }
    return false;
  }

  // The notes in English, one line each.
  const std::vector<std::string>& errors() const { return errors_; }
  // The same notes as messages, to be shown in the user's language.
  const std::vector<Message>& notes() const { return notes_; }

  // The message id of a step's name: "Step." and the name in lower case,
  // blanks as "_" ("Milky Way" is "Step.milky_way").
  static std::string stepMessageId(const std::string& name) {
    std::string id = "Step.";
    for (char c : name) {
      if (c == ' ') c = '_';
      id += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return id;
  }

 private:
  void note(const char* name, const Message& what) {
    const std::string id = stepMessageId(name);
    const Message step = englishMessage(id).empty() ? Message::verbatim(name) : Message(id);
    notes_.push_back(Message("StepFailed").with("step", step).with("detail", what));
    errors_.push_back(formatMessage(notes_.back()));
    if (onError_) onError_(errors_.back());
  }

  std::function<void(const std::string&)> onError_;
  std::vector<std::string> errors_;
  std::vector<Message> notes_;
};

}  // namespace caelora
