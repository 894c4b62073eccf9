#include "viewer/picture_view.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "host/bitmap_font.h"

namespace quintorbelle::viewer {
namespace {

constexpr int32_t kHelpMargin = 8;
constexpr int32_t kHelpLineHeight = host::kGlyphHeight + 4;
constexpr int32_t kHelpGap = 2 * host::kGlyphAdvance;
constexpr uint32_t kHelpKeyColour = 0xFFD040;
constexpr uint32_t kHelpTextColour = 0xFFFFFF;

[[noreturn]] void ThrowSdlError(const char *what) {
    std::string error = SDL_GetError();
    SDL_Quit();
    throw std::runtime_error(std::string(what) + ": " + error);
}

bool IsEmpty(const int32_t *rect) {
    return rect[2] <= rect[0] || rect[3] <= rect[1];
}

} // namespace

PictureView::PictureView(int32_t width, int32_t height) : width_(width), height_(height) {
    // The picture is composed in memory; the window surface needs no OpenGL
    // texture behind it, and without one no GL driver is loaded.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) ThrowSdlError("cannot start the video system");
    // Without a display SDL falls back to drawing off screen: a viewer nobody
    // sees would run until killed. Only an explicit request gets that.
    const std::string driver = SDL_GetCurrentVideoDriver();
    if ((driver == "offscreen" || driver == "dummy") && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
        SDL_Quit();
        throw std::runtime_error("no display to open the viewer's window on (is DISPLAY set?)");
    }
    window_ = SDL_CreateWindow("Quintorbelle", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               width, height, SDL_WINDOW_SHOWN);
    indexed_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
    canvas_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
    if (window_ == nullptr || indexed_ == nullptr || canvas_ == nullptr) {
        std::string error = SDL_GetError();
        Release();
        throw std::runtime_error("cannot open the viewer's window: " + error);
    }
    // The bitmap font writes rows of `width` pixels.
    if (canvas_->pitch != width * 4) {
        Release();
        throw std::runtime_error("the viewer's canvas has padded rows");
    }
    helpLines_ = HelpLines();
    pending_[0] = width_;
    pending_[1] = height_;
    pending_[2] = pending_[3] = 0;
}

PictureView::~PictureView() {
    Release();
}

void PictureView::Release() {
    if (canvas_ != nullptr) SDL_FreeSurface(canvas_);
    if (indexed_ != nullptr) SDL_FreeSurface(indexed_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    canvas_ = indexed_ = nullptr;
    window_ = nullptr;
    SDL_Quit();
}

void PictureView::Follow(const host::EngineLink &engine) {
    // The drawing loop counts the ticks since the accumulation last
    // restarted; a restart clears both images, so after a tick that
    // restarted it the whole picture is new, not only drawnRect.
    if (engine.frameCounter <= 1) {
        wholePicture_ = true;
        return;
    }
    const int32_t *drawn = engine.drawnRect;
    if (IsEmpty(drawn)) return;
    pending_[0] = std::min(pending_[0], drawn[0]);
    pending_[1] = std::min(pending_[1], drawn[1]);
    pending_[2] = std::max(pending_[2], drawn[2]);
    pending_[3] = std::max(pending_[3], drawn[3]);
}

void PictureView::ShowSurface(const host::EngineLink &engine, const uint32_t *pixels, int32_t width,
                              int32_t height) {
    // What the engine drew before belongs to the picture under the orbit.
    TakeChanges(engine);
    auto *canvas = static_cast<uint8_t *>(canvas_->pixels);
    const int32_t rows = std::min(height, height_);
    const size_t rowBytes = static_cast<size_t>(std::min(width, width_)) * 4;
    for (int32_t y = 0; y < rows; ++y) {
        std::memcpy(canvas + static_cast<size_t>(y) * canvas_->pitch,
                    pixels + static_cast<size_t>(y) * width, rowBytes);
    }
    surfaceShown_ = true;
    presentAll_ = true;
}

void PictureView::HideSurface() {
    if (!surfaceShown_) return;
    surfaceShown_ = false;
    presentAll_ = true;
}

void PictureView::SetTitle(const std::string &title) {
    if (title == title_) return;
    title_ = title;
    SDL_SetWindowTitle(window_, title.empty() ? "Quintorbelle" : title.c_str());
}

void PictureView::CopyRows(const host::EngineLink &engine, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (right <= left) return;
    auto *pixels = static_cast<uint8_t *>(indexed_->pixels);
    for (int32_t y = top; y < bottom; ++y) {
        std::memcpy(pixels + static_cast<size_t>(y) * indexed_->pitch + left,
                    &engine.indexImage[y][left], static_cast<size_t>(right - left));
    }
}

SDL_Rect PictureView::TakeChanges(const host::EngineLink &engine) {
    const SDL_Rect whole{0, 0, width_, height_};
    SDL_Rect changed{0, 0, 0, 0};
    const uint32_t *colours = engine.displayBitmapInfo.colours;
    if (std::memcmp(colours_, colours, sizeof colours_) != 0) {
        std::memcpy(colours_, colours, sizeof colours_);
        SDL_Color palette[256];
        for (int i = 0; i < 256; ++i) {
            palette[i] = {static_cast<uint8_t>(colours[i] >> 16),
                          static_cast<uint8_t>(colours[i] >> 8), static_cast<uint8_t>(colours[i]),
                          255};
        }
        SDL_SetPaletteColors(indexed_->format->palette, palette, 0, 256);
        changed = whole;
    }
    if (wholePicture_) {
        CopyRows(engine, 0, 0, width_, height_);
        changed = whole;
    } else if (!IsEmpty(pending_)) {
        const SDL_Rect drawn{pending_[0], pending_[1], pending_[2] - pending_[0],
                             pending_[3] - pending_[1]};
        SDL_Rect rows{0, 0, 0, 0};
        if (SDL_IntersectRect(&drawn, &whole, &rows) == SDL_TRUE) {
            CopyRows(engine, rows.x, rows.y, rows.x + rows.w, rows.y + rows.h);
            if (SDL_RectEmpty(&changed)) changed = rows;
        }
    }
    pending_[0] = width_;
    pending_[1] = height_;
    pending_[2] = pending_[3] = 0;
    wholePicture_ = false;
    return changed;
}

void PictureView::Present(const host::EngineLink &engine) {
    const SDL_Rect changed = TakeChanges(engine);
    const bool anyChange = SDL_RectEmpty(&changed) == SDL_FALSE;
    // Any change of the picture ends the display of the platform surface.
    if (anyChange && surfaceShown_) HideSurface();
    if (!anyChange && !presentAll_) return;

    const SDL_Rect whole{0, 0, width_, height_};
    const SDL_Rect region = presentAll_ || help_ ? whole : changed;
    if (!surfaceShown_) {
        SDL_Rect target = region;
        SDL_BlitSurface(indexed_, &region, canvas_, &target);
        if (help_) DrawHelp();
    }
    if (SDL_Surface *screen = SDL_GetWindowSurface(window_)) {
        SDL_Rect target = region;
        SDL_BlitSurface(canvas_, &region, screen, &target);
        SDL_UpdateWindowSurfaceRects(window_, &region, 1);
    }
    presentAll_ = false;
}

void PictureView::DrawHelp() {
    int32_t keysWidth = 0;
    int32_t textWidth = 0;
    for (const HelpLine &line : helpLines_) {
        keysWidth = std::max(keysWidth, host::TextWidth(line.keys));
        textWidth = std::max(textWidth, host::TextWidth(line.text));
    }
    const int32_t perColumn = std::max<int32_t>((height_ - 2 * kHelpMargin) / kHelpLineHeight, 1);
    const int32_t columns = (static_cast<int32_t>(helpLines_.size()) + perColumn - 1) / perColumn;
    const int32_t columnWidth = keysWidth + kHelpGap + textWidth + 2 * kHelpGap;
    const int32_t rows = std::min<int32_t>(static_cast<int32_t>(helpLines_.size()), perColumn);

    // Darken the box behind the text so that it reads on any picture.
    const int32_t boxRight = std::min(width_, 2 * kHelpMargin + columns * columnWidth);
    const int32_t boxBottom = std::min(height_, 2 * kHelpMargin + rows * kHelpLineHeight);
    auto *canvas = static_cast<uint32_t *>(canvas_->pixels);
    for (int32_t y = 0; y < boxBottom; ++y) {
        for (int32_t x = 0; x < boxRight; ++x) {
            uint32_t &pixel = canvas[static_cast<size_t>(y) * width_ + x];
            pixel = (pixel >> 2) & 0x3F3F3F;
        }
    }
    for (size_t i = 0; i < helpLines_.size(); ++i) {
        const int32_t column = static_cast<int32_t>(i) / perColumn;
        const int32_t row = static_cast<int32_t>(i) % perColumn;
        const int32_t x = kHelpMargin + column * columnWidth;
        const int32_t y = kHelpMargin + row * kHelpLineHeight;
        host::DrawText(canvas, width_, height_, x, y, helpLines_[i].keys, kHelpKeyColour);
        host::DrawText(canvas, width_, height_, x + keysWidth + kHelpGap, y, helpLines_[i].text,
                       kHelpTextColour);
    }
}

} // namespace quintorbelle::viewer
