#include "virtual_display.h"

#include <png.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/png_file.h"

namespace quintorbelle::testing {
namespace {

// Every tool gets this long; a test never hangs on a display that broke.
const std::string kToolTimeout = "timeout 10 ";

uint32_t BigEndian(const unsigned char *bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 |
           uint32_t{bytes[3]};
}

// An X window dump of 32 bits per pixel, as xwd writes it for a true-colour
// display: a header of big-endian words, the window's name, a colour map,
// then the rows.
Image ParseWindowDump(const std::string &dump) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(dump.data());
    if (dump.size() < 100) return {};
    auto field = [&](int index) { return BigEndian(bytes + 4 * index); };
    const uint32_t headerSize = field(0);
    const uint32_t width = field(4);
    const uint32_t height = field(5);
    const bool leastSignificantFirst = field(7) == 0;
    const uint32_t bitsPerPixel = field(11);
    const uint32_t bytesPerLine = field(12);
    const uint32_t colours = field(19);
    const size_t start = headerSize + size_t{colours} * 12;
    if (bitsPerPixel != 32 || field(14) != 0xFF0000 || field(15) != 0xFF00 || field(16) != 0xFF ||
        dump.size() < start + size_t{bytesPerLine} * height) {
        return {};
    }
    Image image{static_cast<int32_t>(width), static_cast<int32_t>(height), {}};
    image.pixels.reserve(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char *p = bytes + start + size_t{y} * bytesPerLine + 4 * x;
            uint32_t pixel = leastSignificantFirst ? uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 |
                                                         uint32_t{p[1]} << 8 | uint32_t{p[0]}
                                                   : BigEndian(p);
            image.pixels.push_back(pixel & 0xFFFFFF);
        }
    }
    return image;
}

void AppendOption(const char *variable, const std::string &option) {
    const char *options = std::getenv(variable);
    const std::string value =
        options != nullptr && *options != 0 ? options + (":" + option) : option;
    setenv(variable, value.c_str(), 1);
}

} // namespace

double Agreement(const Image &a, const Image &b) {
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 0;
    size_t alike = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) alike += a.pixels[i] == b.pixels[i] ? 1 : 0;
    return static_cast<double>(alike) / static_cast<double>(a.pixels.size());
}

Image ReadPng(const std::string &path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return {};
    png.format = PNG_FORMAT_BGRA; // one little-endian word per pixel: 0xAARRGGBB
    Image image{static_cast<int32_t>(png.width), static_cast<int32_t>(png.height), {}};
    image.pixels.resize(size_t{png.width} * png.height);
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) return {};
    for (uint32_t &pixel : image.pixels) pixel &= 0xFFFFFF;
    return image;
}

std::string Shell(const std::string &command, int *status) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[65536];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    const int result = pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return output;
}

VirtualDisplay::~VirtualDisplay() {
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
}

bool VirtualDisplay::Start(std::string &reason) {
    int channel[2];
    if (pipe(channel) != 0) {
        reason = "no pipe for the display number";
        return false;
    }
    server_ = fork();
    if (server_ == 0) {
        // The server writes the display number it found free to the pipe.
        close(channel[0]);
        std::freopen("/dev/null", "w", stderr);
        const std::string fd = std::to_string(channel[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten",
               "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(channel[1]);
    std::string number;
    pollfd ready{channel[0], POLLIN, 0};
    char buffer[16];
    while (number.find('\n') == std::string::npos && poll(&ready, 1, 5000) > 0) {
        const ssize_t read = ::read(channel[0], buffer, sizeof buffer);
        if (read <= 0) break;
        number.append(buffer, static_cast<size_t>(read));
    }
    close(channel[0]);
    if (server_ < 0 || number.empty()) {
        reason = "Xvfb did not start (is the package xvfb installed?)";
        return false;
    }
    setenv("DISPLAY", (":" + number.substr(0, number.find('\n'))).c_str(), 1);
    return true;
}

ViewerWindow::ViewerWindow(const std::string &arguments, const std::string &folder)
    : folder_(folder) {
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        std::freopen("viewer.out", "w", stdout);
        std::freopen("viewer.err", "w", stderr);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        // Under LeakSanitizer: what system libraries keep to the end is
        // not the viewer's.
        AppendOption("LSAN_OPTIONS", "suppressions=" QUINTORBELLE_LEAK_SUPPRESSIONS);
        const std::string command = std::string("exec " QUINTORBELLE_PROGRAM " view ") + arguments;
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    std::istringstream found(
        Shell(kToolTimeout + "xdotool search --sync --onlyvisible --pid " + std::to_string(pid_)));
    std::getline(found, window_);
}

ViewerWindow::~ViewerWindow() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

void ViewerWindow::Key(const std::string &key) {
    Shell(kToolTimeout + "xdotool windowfocus --sync " + window_ + " key " + key);
}

void ViewerWindow::Click(int32_t x, int32_t y, int button, int count) {
    Shell(kToolTimeout + "xdotool mousemove --window " + window_ + " " + std::to_string(x) + " " +
          std::to_string(y) + " click --repeat " + std::to_string(count) + " --delay 60 " +
          std::to_string(button));
}

std::string ViewerWindow::Title() const {
    std::string title = Shell(kToolTimeout + "xdotool getwindowname " + window_);
    if (!title.empty() && title.back() == '\n') title.pop_back();
    return title;
}

Image ViewerWindow::Screenshot() const {
    return ParseWindowDump(Shell(kToolTimeout + "xwd -silent -id " + window_));
}

bool ViewerWindow::WaitUntilShowing(const Image &expected, double share,
                                    std::string &report) const {
    Image shown;
    double best = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        shown = Screenshot();
        const double agreement = Agreement(shown, expected);
        if (agreement >= share) return true;
        best = std::max(best, agreement);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const std::string path = folder_ + "/last-screenshot.png";
    host::WritePng(path,
                   host::RgbImage{shown.width, shown.height, shown.pixels.data(), shown.width});
    report =
        "at best " + std::to_string(best) + " of the pixels agreed; the last screenshot is " + path;
    return false;
}

int ViewerWindow::WaitForExit(int milliseconds) {
    for (int waited = 0; waited <= milliseconds; waited += 20) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

std::string ViewerWindow::Output() const {
    std::ifstream file(folder_ + "/viewer.out");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace quintorbelle::testing
