// The one catch-and-continue helper of start-up and of rebuilding the
// chart: a step that throws is noted and skipped, and the next step runs.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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
      note(name, e.what());
    } catch (...) {
      note(name, "unknown error");
    }
    return false;
  }

  const std::vector<std::string>& errors() const { return errors_; }

 private:
  void note(const char* name, const std::string& what) {
    errors_.push_back(std::string(name) + ": " + what);
    if (onError_) onError_(errors_.back());
  }

  std::function<void(const std::string&)> onError_;
  std::vector<std::string> errors_;
};

}  // namespace caelora
