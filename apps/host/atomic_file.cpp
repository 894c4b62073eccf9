#include "host/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quintorbelle::host {

std::optional<std::string>
WriteFileAtomically(const std::string &path,
                    const std::function<std::optional<std::string>(FILE *)> &write) {
    namespace fs = std::filesystem;
    fs::path target(path);
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) return "cannot write " + path + ": " + std::strerror(errno);
    // mkstemp makes the file private; give it the permissions of a new file.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    FILE *file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        int error = errno;
        close(descriptor);
        unlink(temporary.c_str());
        return "cannot write " + path + ": " + std::strerror(error);
    }
    errno = 0;
    std::optional<std::string> failure = write(file);
    if (std::fclose(file) != 0 && !failure) failure = std::strerror(errno);
    if (!failure && std::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = std::strerror(errno);
    }
    if (failure) {
        unlink(temporary.c_str());
        return "cannot write " + path + ": " + *failure;
    }
    return std::nullopt;
}

std::optional<std::string> WriteFileAtomically(const std::string &path,
                                               const std::string &contents) {
    return WriteFileAtomically(path, [&](FILE *file) -> std::optional<std::string> {
        if (std::fwrite(contents.data(), 1, contents.size(), file) != contents.size()) {
            return std::strerror(errno != 0 ? errno : EIO);
        }
        return std::nullopt;
    });
}

} // namespace quintorbelle::host
