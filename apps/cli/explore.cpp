// quintorbelle explore: the engine explores on its own, starting from a mode
// drawn from the seed, and every picture it finishes or abandons after real
// work is kept in a gallery: the PNG, its picture file and a line in
// index.html.
#include <fmt/format.h>

#include <csignal>
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "cli/gallery.h"
#include "cli/progress.h"
#include "host/atomic_file.h"
#include "host/host_core.h"
#include "host/picture_file.h"

namespace quintorbelle::cli {
namespace {

// A picture is kept when it had this much work and shows some colours.
constexpr int32_t kKeptWork = 1500;
constexpr int32_t kKeptColours = 4;
// Ticks one picture may take on average before the run counts as stalled.
constexpr int64_t kTicksPerPicture = 20000;
// The engine may linger in one mode, zooming deeper and deeper; after this
// many kept pictures of one mode in a row the explorer moves to the mode
// shown least so far, so that a gallery shows every mode.
constexpr int32_t kLongestStreak = 5;

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

struct ExploreOptions {
    uint32_t seed = 1;
    int32_t pictures = 12;
    std::string size = "640x480";
    uint32_t budget = 100;
    std::string folder;
};

class Explorer {
  public:
    Explorer(const ExploreOptions &options, int32_t width, int32_t height)
        : options_(options),
          gallery_(options.folder, fmt::format("Quintorbelle explores from seed {}", options.seed)),
          core_(host::HostOptions{width, height, options.seed, 40}) {
        core_.beforePictureChange = [this] { KeepPicture(); };
    }

    void Run() {
        host::EngineLink &e = core_.engine();
        // The first mode comes from the seed, like everything after it.
        core_.SelectMode(static_cast<int32_t>(e.Random() % 9));
        core_.SetExploring(true);
        ProgressMeter progress;
        const int64_t tickLimit = kTicksPerPicture * options_.pictures;
        for (int64_t tick = 0; tick < tickLimit; ++tick) {
            if (interrupted != 0 || Done()) break;
            core_.Tick(options_.budget);
            if (nextMode_ >= 0) {
                core_.SelectMode(nextMode_);
                nextMode_ = -1;
            }
            progress.Show(fmt::format("pictures {}/{}  mode {} ({})  work {}", gallery_.size(),
                                      options_.pictures, e.drawMode, ModeName(e.drawMode),
                                      e.workCounter));
        }
        if (interrupted == 0 && !Done()) KeepPicture();
        progress.Finish();
        if (interrupted != 0) {
            throw Interrupted(
                fmt::format("interrupted; the gallery holds {} pictures", gallery_.size()));
        }
        if (interrupted == 0 && !Done()) {
            throw std::runtime_error(fmt::format("the explorer kept only {} of {} pictures",
                                                 gallery_.size(), options_.pictures));
        }
    }

  private:
    bool Done() const { return gallery_.size() >= static_cast<size_t>(options_.pictures); }

    // Called before the picture on show is replaced: keeps it when it had
    // real work, once.
    void KeepPicture() {
        host::EngineLink &e = core_.engine();
        if (Done() || interrupted != 0) return;
        if (e.workCounter < kKeptWork || e.maxColourIndex < kKeptColours) return;
        if (e.totalIterations == keptAtIterations_ && keptAny_) return;
        keptAtIterations_ = e.totalIterations;
        keptAny_ = true;

        host::PictureDescription picture = host::DescribePicture(core_);
        std::string text = host::PictureFileText(picture);
        std::string stem = fmt::format("picture-{:04}", gallery_.size() + 1);
        std::string folder = options_.folder + "/";
        if (auto error = WritePicturePng(folder + stem + ".png", core_, text)) {
            throw std::runtime_error(*error);
        }
        SavePictureFile(folder + stem + ".json", text);
        ++keptPerMode_[picture.mode];
        streak_ = picture.mode == lastMode_ ? streak_ + 1 : 1;
        lastMode_ = picture.mode;
        if (streak_ >= kLongestStreak) {
            // Ties go to the mode after the current one, in turn.
            int32_t best = -1;
            for (int32_t step = 1; step <= 9; ++step) {
                int32_t mode = (lastMode_ + step) % 9;
                if (best < 0 || keptPerMode_[mode] < keptPerMode_[best]) best = mode;
            }
            nextMode_ = best;
            streak_ = 0;
        }
        gallery_.Add({stem + ".png", stem + ".json",
                      fmt::format("{} · mode {} · {}", gallery_.size() + 1, picture.mode,
                                  ModeName(picture.mode)),
                      DescribeSettings(picture), picture.title, e.animationFrame != 0});
    }

    const ExploreOptions &options_;
    Gallery gallery_;
    host::HostCore core_;
    uint32_t keptAtIterations_ = 0;
    bool keptAny_ = false;
    int32_t keptPerMode_[9] = {};
    int32_t lastMode_ = -1;
    int32_t streak_ = 0;
    int32_t nextMode_ = -1;
};

void Explore(ExploreOptions &o) {
    PictureSize size = ParseSize(o.size, 32, 32);
    if (o.pictures < 1 || o.pictures > 10000) {
        throw UsageError(fmt::format("--pictures {} is out of range (1 to 10000)", o.pictures));
    }
    if (o.budget < 1 || o.budget > 1000000) {
        throw UsageError(fmt::format("--budget {} is out of range (1 to 1000000)", o.budget));
    }
    PrepareOutputFolder("-o", o.folder, "index.html");

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    Explorer explorer(o, size.width, size.height);
    explorer.Run();
}

} // namespace

void AddExploreCommand(CLI::App &app) {
    auto options = std::make_shared<ExploreOptions>();
    auto *command = app.add_subcommand(
        "explore", "Let the engine explore on its own and keep its pictures in a gallery "
                   "(index.html); Ctrl-C stops it with the gallery intact");
    command->add_option("-s,--seed", options->seed, "Seed: the same seed explores the same way")
        ->capture_default_str();
    command->add_option("-n,--pictures", options->pictures, "Pictures to keep")
        ->capture_default_str();
    command->add_option("--size", options->size, "Picture size WxH")->capture_default_str();
    command->add_option("--budget", options->budget, "Work units per drawing step")
        ->capture_default_str();
    command->add_option("-o,--output", options->folder, "Folder of the gallery")->required();
    command->callback([options] { Explore(*options); });
}

} // namespace quintorbelle::cli
