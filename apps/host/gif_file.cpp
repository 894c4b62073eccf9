#include "host/gif_file.h"

#include <gif_lib.h>

#include <cstring>

#include "host/atomic_file.h"

namespace quintorbelle::host {
namespace {

int WriteToFile(GifFileType *gif, const GifByteType *bytes, int length) {
    auto *file = static_cast<FILE *>(gif->UserData);
    return static_cast<int>(std::fwrite(bytes, 1, static_cast<size_t>(length), file));
}

std::vector<GifColorType> ColourTable(const std::array<uint32_t, 256> &colours) {
    std::vector<GifColorType> table(256);
    for (size_t i = 0; i < 256; ++i) {
        table[i] = {static_cast<GifByteType>(colours[i] >> 16),
                    static_cast<GifByteType>(colours[i] >> 8),
                    static_cast<GifByteType>(colours[i])};
    }
    return table;
}

// A colour map object that owns nothing: giflib copies the colours it is
// given when the descriptor is written.
ColorMapObject MapOf(std::vector<GifColorType> &table) {
    ColorMapObject map{};
    map.ColorCount = 256;
    map.BitsPerPixel = 8;
    map.SortFlag = false;
    map.Colors = table.data();
    return map;
}

std::optional<std::string> Encode(FILE *file, const GifAnimation &animation) {
    int error = 0;
    GifFileType *gif = EGifOpen(file, WriteToFile, &error);
    if (gif == nullptr) return GifErrorString(error);
    auto fail = [&]() -> std::optional<std::string> {
        int code = gif->Error;
        EGifCloseFile(gif, &error);
        return std::string(GifErrorString(code));
    };
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> global = ColourTable(animation.frames.front().colours);
    ColorMapObject globalMap = MapOf(global);
    if (EGifPutScreenDesc(gif, animation.width, animation.height, 8, 0, &globalMap) == GIF_ERROR) {
        return fail();
    }
    // Loop for ever.
    const GifByteType loopName[] = "NETSCAPE2.0";
    const GifByteType loopForEver[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, 11, loopName) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, 3, loopForEver) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif) == GIF_ERROR) {
        return fail();
    }
    if (!animation.comment.empty() && EGifPutComment(gif, animation.comment.c_str()) == GIF_ERROR) {
        return fail();
    }
    for (size_t index : animation.order) {
        const GifFrame &frame = animation.frames[index];
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = animation.delayHundredths;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR) return fail();
        bool ownPalette = frame.colours != animation.frames.front().colours;
        std::vector<GifColorType> local = ColourTable(frame.colours);
        ColorMapObject localMap = MapOf(local);
        if (EGifPutImageDesc(gif, 0, 0, animation.width, animation.height, false,
                             ownPalette ? &localMap : nullptr) == GIF_ERROR) {
            return fail();
        }
        for (int32_t y = 0; y < animation.height; ++y) {
            auto *row = const_cast<GifPixelType *>(frame.indices.data() +
                                                   static_cast<size_t>(y) * animation.width);
            if (EGifPutLine(gif, row, animation.width) == GIF_ERROR) return fail();
        }
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR) return std::string(GifErrorString(error));
    return std::nullopt;
}

} // namespace

std::optional<std::string> WriteGif(const std::string &path, const GifAnimation &animation) {
    if (animation.frames.empty() || animation.order.empty()) {
        return "cannot write " + path + ": the animation has no frames";
    }
    return WriteFileAtomically(path, [&](FILE *file) { return Encode(file, animation); });
}

} // namespace quintorbelle::host
