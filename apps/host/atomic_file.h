// Files written whole or not at all: the contents go to a temporary name in
// the target's folder, which is renamed into place once complete, so an
// interrupted run never leaves a truncated file.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace quintorbelle::host {

// `write` fills the open file and returns an error text on failure. Returns
// an error text naming the path, or nothing when the file is in place.
std::optional<std::string>
WriteFileAtomically(const std::string &path,
                    const std::function<std::optional<std::string>(FILE *)> &write);

std::optional<std::string> WriteFileAtomically(const std::string &path,
                                               const std::string &contents);

} // namespace quintorbelle::host
