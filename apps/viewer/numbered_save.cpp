#include "viewer/numbered_save.h"

#include <fmt/format.h>

#include <filesystem>
#include <stdexcept>

#include "cli/commands.h"
#include "host/picture_file.h"

namespace quintorbelle::viewer {

std::string SaveNumbered(const host::HostCore &core, const std::string &folder) {
    namespace fs = std::filesystem;
    // The first number neither of whose files exists: saving never replaces
    // a picture kept before, even one whose other half was deleted.
    std::string stem;
    for (int number = 1;; ++number) {
        stem = fmt::format("quintorbelle-{:04}", number);
        if (!fs::exists(fs::path(folder) / (stem + ".png")) &&
            !fs::exists(fs::path(folder) / (stem + ".json"))) {
            break;
        }
    }
    const std::string text = host::PictureFileText(host::DescribePicture(core));
    const std::string base = (fs::path(folder) / stem).string();
    if (auto error = cli::WritePicturePng(base + ".png", core, text)) {
        throw std::runtime_error(*error);
    }
    cli::SavePictureFile(base + ".json", text);
    return stem;
}

} // namespace quintorbelle::viewer
