// The subcommands of the quintorbelle program, and what they share.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace quintorbelle::host {
class HostCore;
}

namespace quintorbelle::cli {

// Bad input from the user: reported as one line, with exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The user interrupted a long command; what it wrote is complete.
struct Interrupted : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// Checks before any work that `path` can be written: its folder exists and
// is writable and it is not itself a folder. Throws UsageError otherwise.
void CheckWritable(const std::string &option, const std::string &path);

// Makes the output folder of a command if it is missing and checks that a
// file of that name can be written in it; throws UsageError otherwise.
void PrepareOutputFolder(const std::string &option, const std::string &folder,
                         const std::string &fileName);

// Parses a picture size "WxH" given to --size, between minimum x minimum
// and 1280 x 1024; throws UsageError naming the problem.
struct PictureSize {
    int32_t width;
    int32_t height;
};
PictureSize ParseSize(const std::string &text, int32_t minimumWidth, int32_t minimumHeight);

// Writes the picture the core shows as an indexed PNG with the engine's
// palette, carrying its parameter file; an error text on failure.
std::optional<std::string> WritePicturePng(const std::string &path, const host::HostCore &core,
                                           const std::string &pictureFile);
// Writes a parameter file under a temporary name and renames it; throws on
// failure.
void SavePictureFile(const std::string &path, const std::string &pictureFile);

void AddSwatchesCommand(CLI::App &app);
void AddRenderCommand(CLI::App &app);
void AddExploreCommand(CLI::App &app);
void AddAnimateCommand(CLI::App &app);
void AddGalleryCommand(CLI::App &app);
#ifdef QUINTORBELLE_WITH_VIEWER
void AddViewCommand(CLI::App &app);
#endif

} // namespace quintorbelle::cli
