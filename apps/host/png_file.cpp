#include "host/png_file.h"

#include "host/atomic_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace quintorbelle::host {
namespace {

struct Encoding {
    int32_t width;
    int32_t height;
    int colourType;           // PNG_COLOR_TYPE_PALETTE or PNG_COLOR_TYPE_RGB
    const png_color *palette; // 256 entries for the indexed form
    png_bytep const *rows;    // one pointer per row
    const png_text *texts;
    int textCount;
};

// libpng reports errors by longjmp; this function holds only plain locals so
// that jumping out of it skips no destructor.
bool Encode(FILE *file, const Encoding &encoding, char *message, size_t messageSize) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        std::snprintf(message, messageSize, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        std::snprintf(message, messageSize, "%s", std::strerror(errno != 0 ? errno : EIO));
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(encoding.width),
                 static_cast<png_uint_32>(encoding.height), 8, encoding.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (encoding.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, encoding.palette, 256);
    }
    if (encoding.textCount > 0) png_set_text(png, info, encoding.texts, encoding.textCount);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(encoding.rows));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::optional<std::string> WriteEncoded(const std::string &path, const Encoding &encoding) {
    return WriteFileAtomically(path, [&](FILE *file) -> std::optional<std::string> {
        char message[256] = "";
        if (!Encode(file, encoding, message, sizeof message)) return std::string(message);
        return std::nullopt;
    });
}

std::vector<png_text> TextChunks(const std::vector<PngText> &texts) {
    std::vector<png_text> chunks;
    for (const PngText &text : texts) {
        png_text chunk{};
        chunk.compression = PNG_ITXT_COMPRESSION_zTXt;
        chunk.key = const_cast<char *>(text.keyword.c_str());
        chunk.text = const_cast<char *>(text.text.c_str());
        chunk.itxt_length = text.text.size();
        chunk.lang = nullptr;
        chunk.lang_key = nullptr;
        chunks.push_back(chunk);
    }
    return chunks;
}

// Reads the whole file (text chunks may follow the image data) and copies
// the text of the chunk named `keyword`. Plain locals only, as in Encode.
bool DecodeText(FILE *file, const char *keyword, std::string *text, char *message,
                size_t messageSize) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        std::snprintf(message, messageSize, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    png_infop endInfo = png_create_info_struct(png);
    png_bytep row = nullptr;
    if (info == nullptr || endInfo == nullptr || setjmp(png_jmpbuf(png))) {
        std::snprintf(message, messageSize, "is not a readable PNG file");
        png_free(png, row);
        png_destroy_read_struct(&png, &info, &endInfo);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    row = static_cast<png_bytep>(png_malloc(png, png_get_rowbytes(png, info)));
    int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) {
            png_read_row(png, row, nullptr);
        }
    }
    png_read_end(png, endInfo);
    bool found = false;
    for (png_infop source : {info, endInfo}) {
        png_textp texts = nullptr;
        int count = png_get_text(png, source, &texts, nullptr);
        for (int i = 0; i < count && !found; ++i) {
            if (std::strcmp(texts[i].key, keyword) != 0) continue;
            size_t length = texts[i].itxt_length != 0 ? texts[i].itxt_length : texts[i].text_length;
            text->assign(texts[i].text, length);
            found = true;
        }
    }
    png_free(png, row);
    png_destroy_read_struct(&png, &info, &endInfo);
    if (!found) std::snprintf(message, messageSize, "carries no picture");
    return found;
}

} // namespace

std::optional<std::string> ReadPngText(const std::string &path, const std::string &keyword,
                                       std::string &text) {
    FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return "cannot read " + path + ": " + std::strerror(errno);
    char message[128] = "";
    bool read = DecodeText(file, keyword.c_str(), &text, message, sizeof message);
    std::fclose(file);
    if (!read) return std::string(message);
    return std::nullopt;
}

std::optional<std::string> WritePng(const std::string &path, const IndexedImage &image,
                                    const std::vector<PngText> &texts) {
    png_color palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<png_byte>(image.colours[i] >> 16),
                      static_cast<png_byte>(image.colours[i] >> 8),
                      static_cast<png_byte>(image.colours[i])};
    }
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int32_t y = 0; y < image.height; ++y) {
        rows[y] = const_cast<png_bytep>(image.indices + static_cast<ptrdiff_t>(y) * image.pitch);
    }
    std::vector<png_text> chunks = TextChunks(texts);
    Encoding encoding{image.width, image.height,  PNG_COLOR_TYPE_PALETTE,         palette,
                      rows.data(), chunks.data(), static_cast<int>(chunks.size())};
    return WriteEncoded(path, encoding);
}

std::optional<std::string> WritePng(const std::string &path, const RgbImage &image,
                                    const std::vector<PngText> &texts) {
    std::vector<png_byte> bytes(static_cast<size_t>(image.width) * image.height * 3);
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int32_t y = 0; y < image.height; ++y) {
        png_bytep row = bytes.data() + static_cast<size_t>(y) * image.width * 3;
        rows[y] = row;
        const uint32_t *source = image.pixels + static_cast<ptrdiff_t>(y) * image.pitch;
        for (int32_t x = 0; x < image.width; ++x) {
            row[3 * x] = static_cast<png_byte>(source[x] >> 16);
            row[3 * x + 1] = static_cast<png_byte>(source[x] >> 8);
            row[3 * x + 2] = static_cast<png_byte>(source[x]);
        }
    }
    std::vector<png_text> chunks = TextChunks(texts);
    Encoding encoding{image.width,
                      image.height,
                      PNG_COLOR_TYPE_RGB,
                      nullptr,
                      rows.data(),
                      chunks.data(),
                      static_cast<int>(chunks.size())};
    return WriteEncoded(path, encoding);
}

} // namespace quintorbelle::host
