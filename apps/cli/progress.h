// A one-line progress meter on the terminal, silent when stderr is not one.
#pragma once

#include <string>

namespace quintorbelle::cli {

class ProgressMeter {
  public:
    ProgressMeter();
    ~ProgressMeter();
    ProgressMeter(const ProgressMeter &) = delete;
    ProgressMeter &operator=(const ProgressMeter &) = delete;

    // Replaces the line; shown at most every tenth of a second.
    void Show(const std::string &line);
    // Clears the line so that later output starts on a clean one.
    void Finish();

  private:
    bool enabled_;
    bool shown_ = false;
    long long lastShown_ = 0;
};

} // namespace quintorbelle::cli
