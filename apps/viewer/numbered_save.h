// Keeps the picture on show in a folder under the first free numbered name:
// quintorbelle-0001.png, an indexed PNG carrying its picture file, and
// quintorbelle-0001.json, the picture file beside it.
//
// Writes through the command line's picture writers; chooses names only, no
// formats of its own.
#pragma once

#include <string>

#include "host/host_core.h"

namespace quintorbelle::viewer {

// Saves the picture and returns the name both files share, without the
// folder and extension; throws std::runtime_error when a file cannot be
// written.
std::string SaveNumbered(const host::HostCore &core, const std::string &folder);

} // namespace quintorbelle::viewer
