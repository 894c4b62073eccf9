// quintorbelle view: the picture the options (or a picture file) describe,
// grown tick by tick in a window by the same host core the other commands
// use, with the host's menu on the keyboard and zooms and pixel orbits on
// the mouse.
#include <fmt/format.h>

#include <cstdio>
#include <exception>
#include <memory>

#include "cli/commands.h"
#include "cli/picture_options.h"
#include "viewer/numbered_save.h"
#include "viewer/picture_view.h"
#include "viewer/view_loop.h"

namespace quintorbelle::cli {
namespace {

void View(PictureOptions &o) {
    Validate(o);
    std::unique_ptr<host::HostCore> core = StartPicture(o);
    if (core == nullptr) {
        throw std::runtime_error(
            fmt::format("no parameters drawn in mode {} made a picture after {} tries; try "
                        "another seed",
                        o.mode, host::HostCore::kMaxFailedTries));
    }
    const host::EngineLink &e = core->engine();
    viewer::PictureView view(e.imageWidth, e.imageHeight);
    auto save = [&core] {
        // A failed save is reported; the viewer goes on.
        try {
            std::string stem = viewer::SaveNumbered(*core, ".");
            std::printf("saved %s.png and %s.json\n", stem.c_str(), stem.c_str());
        } catch (const std::exception &error) {
            std::fprintf(stderr, "quintorbelle: cannot save: %s\n", error.what());
        }
        std::fflush(stdout);
    };
    viewer::ViewLoop(*core, view, save).Run();
}

} // namespace

void AddViewCommand(CLI::App &app) {
    auto options = std::make_shared<PictureOptions>();
    auto *command = app.add_subcommand(
        "view", "Show a picture growing in a window; H lists the keys (new picture N, palette "
                "P, animation M, autopilot A, save S), a double-click or the wheel zooms");
    AddPictureOptions(*command, *options, true);
    command->callback([options] { View(*options); });
}

} // namespace quintorbelle::cli
