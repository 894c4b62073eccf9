// quintorbelle render: one picture, drawn until it is finished or the work
// limit is reached, written as an indexed PNG with the engine's palette.
// quintorbelle orbit: the same picture of mode 5 or 6 with the orbit of one
// pixel drawn over it.
#include <fmt/format.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/commands.h"
#include "cli/picture_options.h"
#include "cli/progress.h"
#include "host/png_file.h"
#include "quintorbelle/platform.h"

namespace quintorbelle::cli {
namespace {

// Work units a picture of each mode may spend by default: enough for the
// attractors to fill in and the complex pictures to complete. A quilt never
// finishes, its colours climb for as long as it is drawn, so its work
// follows the picture's area (8000 units at 800 x 600); a small quilt would
// otherwise burn out to a single colour.
int64_t DefaultWork(int32_t mode, int32_t width, int32_t height) {
    constexpr int64_t kWork[9] = {20000, 20000, 20000, 20000, 8000, 400000, 400000, 20000, 20000};
    if (mode != 4) return kWork[mode];
    return std::max<int64_t>(200, kWork[4] * width * height / (800 * 600));
}

struct RenderOptions {
    PictureOptions picture;
    std::optional<int64_t> work;
    uint32_t budget = 100;
    bool verbose = false;
    std::string output;
    std::string save;
    std::string at; // orbit only: the pixel "X,Y"
};

[[noreturn]] void ThrowGaveUp(int32_t mode) {
    throw std::runtime_error(fmt::format(
        "no parameters drawn in mode {} made a picture after {} tries; try another seed", mode,
        host::HostCore::kMaxFailedTries));
}

void ValidateRender(RenderOptions &o) {
    Validate(o.picture);
    if (o.work && *o.work < 1)
        throw UsageError(fmt::format("--work {} must be at least 1", *o.work));
    if (o.budget < 1 || o.budget > 1000000) {
        throw UsageError(fmt::format("--budget {} is out of range (1 to 1000000)", o.budget));
    }
    CheckWritable("-o", o.output);
    if (!o.save.empty()) CheckWritable("--save", o.save);
}

// Draws the picture the options describe until it is finished or the work
// limit is reached.
std::unique_ptr<host::HostCore> DrawPicture(const RenderOptions &o) {
    auto core = StartPicture(o.picture);
    if (core == nullptr) ThrowGaveUp(o.picture.mode);
    host::EngineLink &e = core->engine();

    const int64_t work = o.work.value_or(DefaultWork(e.drawMode, e.imageWidth, e.imageHeight));
    ProgressMeter progress;
    host::TickStatus status = host::TickStatus::kDrawing;
    while (status == host::TickStatus::kDrawing && e.workCounter < work) {
        status = core->Tick(o.budget);
        progress.Show(fmt::format("mode {}  work {}/{}  colours {}", e.drawMode, e.workCounter,
                                  work, e.maxColourIndex));
    }
    progress.Finish();
    if (status == host::TickStatus::kGaveUp) ThrowGaveUp(e.drawMode);
    return core;
}

void Render(RenderOptions &o) {
    ValidateRender(o);
    auto core = DrawPicture(o);
    std::string picture = host::PictureFileText(host::DescribePicture(*core));
    if (auto error = WritePicturePng(o.output, *core, picture)) throw std::runtime_error(*error);
    if (!o.save.empty()) SavePictureFile(o.save, picture);
    if (o.verbose) std::printf("%s\n", core->Title().c_str());
}

void Orbit(RenderOptions &o) {
    ValidateRender(o);
    if (o.picture.mode != 5 && o.picture.mode != 6) {
        throw UsageError(
            fmt::format("--mode {}: orbits are shown for modes 5 and 6 only", o.picture.mode));
    }
    int32_t x = 0;
    int32_t y = 0;
    char rest = 0;
    if (std::sscanf(o.at.c_str(), "%d,%d%c", &x, &y, &rest) != 2) {
        throw UsageError(fmt::format("--at {} is not a pixel of the form X,Y", o.at));
    }
    if (x < 0 || y < 0 || x >= o.picture.width || y >= o.picture.height) {
        throw UsageError(fmt::format("--at {} lies outside the {}x{} picture", o.at,
                                     o.picture.width, o.picture.height));
    }
    auto core = DrawPicture(o);
    std::string picture = host::PictureFileText(host::DescribePicture(*core));
    core->engine().ShowPixelOrbit(x, y);
    int32_t width = 0;
    int32_t height = 0;
    const uint32_t *surface = QuintorbelleGetSurface(core->window(), &width, &height);
    if (auto error = host::WritePng(o.output, host::RgbImage{width, height, surface, width},
                                    {{host::kPictureChunkKeyword, picture}})) {
        throw std::runtime_error(*error);
    }
    if (!o.save.empty()) SavePictureFile(o.save, picture);
    if (o.verbose) std::printf("%s\n", core->Title().c_str());
}

CLI::App *AddDrawingCommand(CLI::App &app, const char *name, const char *description,
                            const std::shared_ptr<RenderOptions> &options) {
    auto *command = app.add_subcommand(name, description);
    AddPictureOptions(*command, options->picture, true);
    command->add_option("--work", options->work,
                        "Work limit in units (default by mode; one unit is about 1245 steps)");
    command->add_option("--budget", options->budget, "Work units per drawing step")
        ->capture_default_str();
    command->add_flag("-v,--verbose", options->verbose, "Print the window title when done");
    command->add_option("-o,--output", options->output, "PNG file to write")->required();
    command->add_option("--save", options->save,
                        "Also write the picture's parameter file (JSON) here");
    return command;
}

} // namespace

void AddRenderCommand(CLI::App &app) {
    auto render = std::make_shared<RenderOptions>();
    AddDrawingCommand(app, "render", "Draw one picture and write it as a PNG", render)
        ->callback([render] { Render(*render); });

    auto orbit = std::make_shared<RenderOptions>();
    AddDrawingCommand(app, "orbit",
                      "Draw a picture of mode 5 or 6, then the orbit of one pixel over it "
                      "(white, a cycle in yellow)",
                      orbit)
        ->callback([orbit] { Orbit(*orbit); });
    app.get_subcommand("orbit")
        ->add_option("--at", orbit->at, "The pixel whose orbit to show, X,Y")
        ->required();
}

} // namespace quintorbelle::cli
