// quintorbelle animate: records the engine's animation of a picture, 360
// frames of small parameter changes, as a looping GIF or a folder of
// numbered PNG frames.
#include <fmt/format.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "cli/picture_options.h"
#include "cli/progress.h"
#include "host/gif_file.h"
#include "host/picture_file.h"

namespace quintorbelle::cli {
namespace {

// Work units per frame by mode: enough for an attractor or a quilt to show
// its shape; walkers add trails to the frames before; the automaton draws
// eleven screens of rows per frame.
constexpr int32_t kDefaultFrameWork[9] = {400, 400, 400, 400, 300, 100, 100, 100, 60};

// Frames the engine's animation can take at the most, with room to spare.
constexpr int32_t kMaxTicks = 20000;

struct AnimateOptions {
    PictureOptions picture;
    std::optional<int32_t> frameWork;
    int32_t delay = 40;
    bool loop = false;
    std::string output;
};

bool WantsGif(const std::string &output) {
    return output.size() > 4 && output.compare(output.size() - 4, 4, ".gif") == 0;
}

void ValidateAnimate(AnimateOptions &o) {
    o.picture.size = o.picture.Given("--size") ? o.picture.size : "480x360";
    Validate(o.picture);
    if (o.frameWork && (*o.frameWork < 1 || *o.frameWork > 100000)) {
        throw UsageError(
            fmt::format("--frame-work {} is out of range (1 to 100000)", *o.frameWork));
    }
    if (o.delay < 10 || o.delay > 10000) {
        throw UsageError(fmt::format("--delay {} is out of range (10 to 10000 ms)", o.delay));
    }
    if (WantsGif(o.output)) {
        CheckWritable("-o", o.output);
        return;
    }
    PrepareOutputFolder("-o", o.output, "frame-0001.png");
}

void Animate(AnimateOptions &o) {
    ValidateAnimate(o);
    auto core = StartPicture(o.picture);
    if (core == nullptr || !core->FitView()) {
        throw std::runtime_error("no parameters made a picture to animate; try another seed");
    }
    host::EngineLink &e = core->engine();
    const std::string startPicture = host::PictureFileText(host::DescribePicture(*core));
    const auto frameWork =
        static_cast<uint32_t>(o.frameWork.value_or(kDefaultFrameWork[e.drawMode]));
    const bool gif = WantsGif(o.output);

    host::GifAnimation animation;
    animation.width = e.imageWidth;
    animation.height = e.imageHeight;
    animation.delayHundredths = o.delay / 10;
    animation.comment = startPicture;
    ProgressMeter progress;
    int32_t lastFrame = -1;
    core->StartAnimation();
    for (int32_t tick = 0; tick < kMaxTicks && core->Animating(); ++tick) {
        const bool fitting = e.drawMode <= 3 && e.viewFitted == 0;
        core->Tick(frameWork);
        // A frame is kept once per animation step, when it shows a picture:
        // not after the tick that only fitted the view.
        if (!core->Animating() || fitting || e.animationFrame == lastFrame) continue;
        lastFrame = e.animationFrame;
        if (gif) {
            host::GifFrame &frame = animation.frames.emplace_back();
            frame.indices.resize(static_cast<size_t>(e.imageWidth) * e.imageHeight);
            for (int32_t y = 0; y < e.imageHeight; ++y) {
                std::memcpy(frame.indices.data() + static_cast<size_t>(y) * e.imageWidth,
                            e.indexImage[y], static_cast<size_t>(e.imageWidth));
            }
            std::copy(e.displayBitmapInfo.colours, e.displayBitmapInfo.colours + 256,
                      frame.colours.begin());
        } else {
            std::string path = fmt::format("{}/frame-{:04}.png", o.output, lastFrame);
            std::string picture = host::PictureFileText(host::DescribePicture(*core));
            if (auto error = WritePicturePng(path, *core, picture))
                throw std::runtime_error(*error);
        }
        progress.Show(fmt::format("frame {}/360  mode {}", lastFrame, e.drawMode));
    }
    progress.Finish();
    if (!gif) return;
    for (size_t i = 0; i < animation.frames.size(); ++i) animation.order.push_back(i);
    // Forward and back, without showing either end twice, so the loop has
    // no jump.
    if (o.loop) {
        for (size_t i = animation.frames.size() - 1; i-- > 1;) animation.order.push_back(i);
    }
    if (auto error = host::WriteGif(o.output, animation)) throw std::runtime_error(*error);
}

} // namespace

void AddAnimateCommand(CLI::App &app) {
    auto options = std::make_shared<AnimateOptions>();
    auto *command = app.add_subcommand(
        "animate", "Record the engine's 360-frame animation of a picture as a GIF or PNG frames");
    AddPictureOptions(*command, options->picture, true);
    command->add_option("--frame-work", options->frameWork,
                        "Work units per frame (default by mode)");
    command->add_option("--delay", options->delay, "Milliseconds per frame")->capture_default_str();
    command->add_flag("--loop", options->loop,
                      "Play the frames forward and back, so the GIF loops without a jump");
    command
        ->add_option("-o,--output", options->output,
                     "A .gif file, or a folder for numbered PNG frames")
        ->required();
    command->callback([options] { Animate(*options); });
}

} // namespace quintorbelle::cli
