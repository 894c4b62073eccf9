#include "indexed_png.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>

#include "host/png_file.h"

namespace quintorbelle::testing {

namespace {

// libpng reports errors by longjmp; only plain locals live here.
bool Decode(FILE *file, IndexedPicture *picture) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_colorp palette = nullptr;
    int paletteSize = 0;
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE ||
        png_get_bit_depth(png, info) != 8 || png_get_PLTE(png, info, &palette, &paletteSize) == 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    picture->width = static_cast<int32_t>(png_get_image_width(png, info));
    picture->height = static_cast<int32_t>(png_get_image_height(png, info));
    for (int i = 0; i < paletteSize && i < 256; ++i) {
        picture->colours[i] =
            static_cast<uint32_t>(palette[i].red << 16 | palette[i].green << 8 | palette[i].blue);
    }
    picture->indices.resize(static_cast<size_t>(picture->width) * picture->height);
    for (int32_t y = 0; y < picture->height; ++y) {
        png_read_row(png, picture->indices.data() + static_cast<size_t>(y) * picture->width,
                     nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

} // namespace

IndexedPicture ReadIndexedPng(const std::string &path) {
    FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) throw std::runtime_error("cannot read " + path);
    IndexedPicture picture;
    bool decoded = Decode(file, &picture);
    std::fclose(file);
    if (!decoded) throw std::runtime_error(path + " is not an 8-bit indexed PNG");
    return picture;
}

void WriteDifference(const std::string &path, const IndexedPicture &a, const IndexedPicture &b) {
    std::vector<uint32_t> pixels(static_cast<size_t>(a.width) * a.height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        bool same = i < b.indices.size() && a.indices[i] == b.indices[i];
        pixels[i] = same ? (a.colours[a.indices[i]] >> 2) & 0x3F3F3F : 0xFFFFFF;
    }
    host::WritePng(path, host::RgbImage{a.width, a.height, pixels.data(), a.width});
}

} // namespace quintorbelle::testing
