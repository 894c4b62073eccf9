// A virtual X display for the viewer's tests, and what a person at it does:
// start the viewer, press keys, click, read the window's title and take
// screenshots. Keys and clicks go through the X server (xdotool), so the
// viewer receives them as it would from a keyboard and a mouse.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quintorbelle::testing {

struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows top-down
};

// The share of pixels two images have alike; 0 when their sizes differ.
double Agreement(const Image &a, const Image &b);
// A PNG file as 0x00RRGGBB pixels; an empty image when it cannot be read.
Image ReadPng(const std::string &path);

// Runs a shell command and returns what it printed; `status` gets its exit
// status.
std::string Shell(const std::string &command, int *status = nullptr);

// An X server in memory on a free display number, stopped with the object.
class VirtualDisplay {
  public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Starts the server and points DISPLAY at it; false, with the reason,
    // when it does not start.
    bool Start(std::string &reason);

  private:
    pid_t server_ = -1;
};

// The quintorbelle viewer running in a folder of its own, on the display
// DISPLAY names.
class ViewerWindow {
  public:
    ViewerWindow(const std::string &arguments, const std::string &folder);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow &) = delete;
    ViewerWindow &operator=(const ViewerWindow &) = delete;

    // False when no window appeared within a few seconds.
    bool Opened() const { return !window_.empty(); }

    void Key(const std::string &key);
    void Click(int32_t x, int32_t y, int button, int count);
    std::string Title() const;
    Image Screenshot() const;
    // Takes screenshots until one agrees with `expected` on at least `share`
    // of its pixels. Otherwise false, and `report` says how close it came
    // and where the last screenshot was written.
    bool WaitUntilShowing(const Image &expected, double share, std::string &report) const;
    // The viewer's exit status, or -1 when it has not ended within the time.
    int WaitForExit(int milliseconds);
    std::string Output() const;

  private:
    std::string folder_;
    std::string window_;
    pid_t pid_ = -1;
};

} // namespace quintorbelle::testing
