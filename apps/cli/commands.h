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

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Checks before any work that `path` can be written: its folder exists and
// is writable and it is not itself a folder. Throws UsageError otherwise.
void CheckWritable(const std::string &option, const std::string &path);

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
#ifdef QUINTORBELLE_WITH_VIEWER
void AddViewCommand(CLI::App &app);
#endif

} // namespace quintorbelle::cli
