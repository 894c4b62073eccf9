#include <fmt/format.h>

#include <filesystem>
#include <unistd.h>

#include "cli/commands.h"

namespace quintorbelle::cli {

void CheckWritable(const std::string &option, const std::string &path) {
    namespace fs = std::filesystem;
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        throw UsageError(
            fmt::format("{} {}: folder {} does not exist", option, path, folder.string()));
    }
    if (access(folder.c_str(), W_OK) != 0) {
        throw UsageError(
            fmt::format("{} {}: folder {} is not writable", option, path, folder.string()));
    }
    if (fs::is_directory(path, error)) {
        throw UsageError(fmt::format("{} {} is a folder, not a file", option, path));
    }
}

} // namespace quintorbelle::cli
