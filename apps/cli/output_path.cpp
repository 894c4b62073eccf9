#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "cli/commands.h"
#include "host/atomic_file.h"
#include "host/host_core.h"
#include "host/picture_file.h"
#include "host/png_file.h"

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

void PrepareOutputFolder(const std::string &option, const std::string &folder,
                         const std::string &fileName) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw UsageError(fmt::format("{} {}: cannot make this folder", option, folder));
    }
    CheckWritable(option, folder + "/" + fileName);
}

PictureSize ParseSize(const std::string &text, int32_t minimumWidth, int32_t minimumHeight) {
    int width = 0;
    int height = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &rest) != 2) {
        throw UsageError(fmt::format("--size {} is not of the form WxH, e.g. 800x600", text));
    }
    if (width > QB_IMAGE_STRIDE || height > QB_IMAGE_ROWS) {
        throw UsageError(fmt::format("--size {} is larger than 1280x1024", text));
    }
    if (width < minimumWidth || height < minimumHeight) {
        throw UsageError(
            fmt::format("--size {} is smaller than {}x{}", text, minimumWidth, minimumHeight));
    }
    return {width, height};
}

std::optional<std::string> WritePicturePng(const std::string &path, const host::HostCore &core,
                                           const std::string &pictureFile) {
    const host::EngineLink &e = core.engine();
    host::IndexedImage image{e.imageWidth, e.imageHeight, &e.indexImage[0][0], QB_IMAGE_STRIDE,
                             e.displayBitmapInfo.colours};
    return host::WritePng(path, image, {{host::kPictureChunkKeyword, pictureFile}});
}

void SavePictureFile(const std::string &path, const std::string &pictureFile) {
    if (auto error = host::WriteFileAtomically(path, pictureFile)) throw std::runtime_error(*error);
}

} // namespace quintorbelle::cli
