// A gallery page: a folder of pictures with an index.html that shows each
// with its mode, settings and window title. The page is rewritten whole
// after every picture, so it always matches the pictures already written.
#pragma once

#include <string>
#include <vector>

#include "host/picture_file.h"

namespace quintorbelle::cli {

struct GalleryEntry {
    std::string image;      // file name inside the folder
    std::string parameters; // the picture file beside it, or empty
    std::string heading;    // e.g. "3 · icon"
    std::string settings;   // a line of settings
    std::string title;      // the engine's window title
    bool animation = false;
};

class Gallery {
  public:
    Gallery(std::string folder, std::string caption);
    const std::string &folder() const { return folder_; }
    size_t size() const { return entries_.size(); }
    // Adds the entry and rewrites index.html; throws on failure.
    void Add(GalleryEntry entry);

  private:
    void WriteIndex() const;

    std::string folder_;
    std::string caption_;
    std::vector<GalleryEntry> entries_;
};

// The name of each drawing mode, for headings and progress lines.
const char *ModeName(int32_t mode);

// A line naming the settings that shape a picture, for people.
std::string DescribeSettings(const host::PictureDescription &picture);

} // namespace quintorbelle::cli
