// quintorbelle render: one picture, drawn until it is finished or the work
// limit is reached, written as an indexed PNG with the engine's palette.
#include <fmt/format.h>

#include <cstdio>
#include <memory>

#include "cli/commands.h"
#include "cli/picture_options.h"
#include "cli/progress.h"
#include "host/png_file.h"

namespace quintorbelle::cli {
namespace {

// Work units a picture of each mode may spend by default: enough for the
// attractors to fill in and the complex pictures to complete.
constexpr int64_t kDefaultWork[9] = {20000,  20000,  20000, 20000, 8000,
                                     400000, 400000, 20000, 20000};

struct RenderOptions {
    PictureOptions picture;
    std::optional<int64_t> work;
    uint32_t budget = 100;
    bool verbose = false;
    std::string output;
};

void Render(RenderOptions &o) {
    Validate(o.picture);
    const int64_t work = o.work.value_or(kDefaultWork[o.picture.mode]);
    if (work < 1) throw UsageError(fmt::format("--work {} must be at least 1", work));
    if (o.budget < 1 || o.budget > 1000000) {
        throw UsageError(fmt::format("--budget {} is out of range (1 to 1000000)", o.budget));
    }
    CheckWritable("-o", o.output);

    host::HostCore core(CoreOptions(o.picture));
    Apply(o.picture, core);
    core.StartPicture(QB_REQUEST_NEW);

    host::EngineLink &e = core.engine();
    ProgressMeter progress;
    host::TickStatus status = host::TickStatus::kDrawing;
    while (status == host::TickStatus::kDrawing && e.workCounter < work) {
        status = core.Tick(o.budget);
        progress.Show(fmt::format("mode {}  work {}/{}  colours {}", e.drawMode, e.workCounter,
                                  work, e.maxColourIndex));
    }
    progress.Finish();
    if (status == host::TickStatus::kGaveUp) {
        throw std::runtime_error(fmt::format(
            "no parameters drawn in mode {} made a picture after {} tries; try another seed",
            e.drawMode, host::HostCore::kMaxFailedTries));
    }
    host::IndexedImage image{e.imageWidth, e.imageHeight, &e.indexImage[0][0], QB_IMAGE_STRIDE,
                             e.displayBitmapInfo.colours};
    if (auto error = host::WritePng(o.output, image)) throw std::runtime_error(*error);
    if (o.verbose) std::printf("%s\n", core.Title().c_str());
}

} // namespace

void AddRenderCommand(CLI::App &app) {
    auto options = std::make_shared<RenderOptions>();
    auto *command = app.add_subcommand("render", "Draw one picture and write it as a PNG");
    AddPictureOptions(*command, options->picture);
    command->add_option("--work", options->work,
                        "Work limit in units (default by mode; one unit is about 1245 steps)");
    command->add_option("--budget", options->budget, "Work units per drawing step")
        ->capture_default_str();
    command->add_flag("-v,--verbose", options->verbose, "Print the window title when done");
    command->add_option("-o,--output", options->output, "PNG file to write")->required();
    command->callback([options] { Render(*options); });
}

} // namespace quintorbelle::cli
