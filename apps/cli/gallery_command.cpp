// quintorbelle gallery: a gallery of every drawing mode, with an animation
// and the orbit of one pixel, from a fixed seed: the program's showcase.
//
// Each picture is drawn by the program itself in a process of its own, so
// that each starts from the engine's load-time state exactly as
// `quintorbelle render` of its picture file does, and several are drawn at
// once.
#include <fmt/format.h>

#include <filesystem>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "cli/commands.h"
#include "cli/gallery.h"
#include "cli/progress.h"
#include "host/picture_file.h"

extern char **environ;

namespace quintorbelle::cli {
namespace {

struct Showpiece {
    const char *name;
    const char *command; // render, orbit or animate
    const char *heading;
    std::vector<std::string> options;
    uint32_t seed; // with the gallery's seed 1; another gallery seed shifts them all
};

// Chosen for variety: every mode, symmetric and plain, by density and by
// source, a deep zoom, the orbit-statistics picture, an orbit and an
// animation.
// clang-format off
const std::vector<Showpiece> kShowpieces = {
    {"function-system", "render", "Function system of degree 6", {"--mode", "0"}, 1},
    {"function-system-mirrored", "render", "Function system, two base maps, mirrored",
     {"--mode", "0", "--degree", "5", "--base-maps", "2", "--mirror"}, 2},
    {"uniform-function-system", "render", "Uniform scalings, degree 5",
     {"--mode", "1", "--degree", "5", "--base-maps", "2"}, 3},
    {"quadratic-map", "render", "Strange attractor of a quadratic map", {"--mode", "2"}, 4},
    {"icon", "render", "Symmetric icon of degree 5", {"--mode", "3"}, 5},
    {"icon-mirrored", "render", "Icon of degree 7 with mirrors",
     {"--mode", "3", "--degree", "7", "--mirror", "--scheme", "6"}, 3},
    {"quilt-hexagonal", "render", "Quilt on the hexagonal lattice", {"--mode", "4"}, 7},
    {"quilt-square", "render", "Quilt on the square lattice",
     {"--mode", "4", "--degree", "3", "--ramp", "2"}, 8},
    {"escape-time-classic", "render", "Escape time: the classic set", {"--mode", "5", "--classic"}, 9},
    {"escape-time-deep", "render", "Four zooms into the valley between the bulbs",
     {"--mode", "5", "--classic", "--zoom", "4@214,267", "--zoom", "4@400,300",
      "--zoom", "4@401,301", "--zoom", "4@402,299"}, 10},
    {"escape-time-slice", "render", "Escape time of z^3 + c on a random slice",
     {"--mode", "5", "--degree", "2"}, 11},
    {"orbit-statistics", "render", "Orbit statistics",
     {"--mode", "5", "--classic", "--variant", "--colouring", "2"}, 12},
    {"newton", "render", "Newton's method for z^4 + c", {"--mode", "6"}, 13},
    {"newton-roots", "render", "Newton's method for z^5 - z + c, coloured by root",
     {"--mode", "6", "--degree", "4", "--variant", "--by-source", "--colouring", "1"}, 14},
    {"walkers", "render", "Four walkers", {"--mode", "7"}, 15},
    {"walkers-mirrored", "render", "Five walkers with their mirror images",
     {"--mode", "7", "--degree", "5", "--mirror", "--ramp", "1"}, 16},
    {"automaton", "render", "Cellular automaton with three states, mirrored",
     {"--mode", "8", "--degree", "3", "--mirror"}, 7},
    {"automaton-two", "render", "Cellular automaton with two states, mirrored",
     {"--mode", "8", "--degree", "2", "--mirror", "--ramp", "3"}, 9},
    {"orbit", "orbit", "The orbit of one pixel of the classic set, drawn over it",
     {"--mode", "5", "--classic", "--at", "327,189"}, 19},
};
// clang-format on

// Runs the program itself with `arguments`; the child's process id.
pid_t Spawn(const std::vector<std::string> &arguments) {
    std::vector<std::string> copies = arguments;
    std::string program = "/proc/self/exe";
    std::vector<char *> argv{program.data()};
    for (std::string &argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start the program to draw a picture");
    }
    return child;
}

struct GalleryOptions {
    uint32_t seed = 1;
    std::string size = "800x600";
    std::string folder;
    bool noAnimation = false;
};

void MakeGallery(GalleryOptions &o) {
    const PictureSize size = ParseSize(o.size, 160, 120);
    PrepareOutputFolder("-o", o.folder, "index.html");

    struct Job {
        std::vector<std::string> arguments;
        GalleryEntry entry;
    };
    std::vector<Job> jobs;
    for (const Showpiece &piece : kShowpieces) {
        Job job;
        job.arguments = {piece.command};
        job.arguments.insert(job.arguments.end(), piece.options.begin(), piece.options.end());
        // Pixel positions in the options are for 800x600; other sizes scale them.
        for (std::string &argument : job.arguments) {
            int zx = 0;
            int zy = 0;
            double factor = 0;
            char rest = 0;
            if (std::sscanf(argument.c_str(), "%lf@%d,%d", &factor, &zx, &zy) == 3) {
                argument =
                    fmt::format("{}@{},{}", factor, zx * size.width / 800, zy * size.height / 600);
            } else if (std::sscanf(argument.c_str(), "%d,%d%c", &zx, &zy, &rest) == 2) {
                argument = fmt::format("{},{}", zx * size.width / 800, zy * size.height / 600);
            }
        }
        std::string stem = fmt::format("{:02}-{}", jobs.size() + 1, piece.name);
        job.arguments.insert(job.arguments.end(),
                             {"--seed", std::to_string(o.seed - 1 + piece.seed), "--size", o.size,
                              "-o", o.folder + "/" + stem + ".png", "--save",
                              o.folder + "/" + stem + ".json"});
        job.entry = {stem + ".png", stem + ".json", piece.heading, "", "", false};
        jobs.push_back(std::move(job));
    }
    if (!o.noAnimation) {
        Job job;
        std::string stem = fmt::format("{:02}-animation", jobs.size() + 1);
        job.arguments = {"animate",
                         "--mode",
                         "6",
                         "--seed",
                         std::to_string(o.seed + 12),
                         "--size",
                         "256x192",
                         "-o",
                         o.folder + "/" + stem + ".gif"};
        job.entry = {stem + ".gif", "", "Animation: a Newton picture over 360 frames", "", "",
                     true};
        jobs.push_back(std::move(job));
    }

    const size_t parallel = std::max(1u, std::thread::hardware_concurrency());
    ProgressMeter progress;
    std::vector<std::pair<pid_t, size_t>> running;
    size_t next = 0;
    size_t done = 0;
    std::vector<size_t> failed;
    while (done < jobs.size()) {
        while (running.size() < parallel && next < jobs.size()) {
            running.emplace_back(Spawn(jobs[next].arguments), next);
            ++next;
        }
        int status = 0;
        pid_t finished = wait(&status);
        if (finished < 0) throw std::runtime_error("lost track of the pictures being drawn");
        for (size_t i = 0; i < running.size(); ++i) {
            if (running[i].first != finished) continue;
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) failed.push_back(running[i].second);
            running.erase(running.begin() + static_cast<ptrdiff_t>(i));
            ++done;
            break;
        }
        progress.Show(fmt::format("gallery: {}/{} pictures", done, jobs.size()));
    }
    progress.Finish();
    if (!failed.empty()) {
        throw std::runtime_error(fmt::format("{} pictures could not be drawn, the first {}",
                                             failed.size(), jobs[failed.front()].entry.image));
    }

    Gallery gallery(o.folder, fmt::format("Quintorbelle: a gallery from seed {}", o.seed));
    for (Job &job : jobs) {
        if (!job.entry.parameters.empty()) {
            host::PictureDescription picture =
                host::ReadPictureFile(o.folder + "/" + job.entry.parameters);
            job.entry.settings = fmt::format("mode {} ({}), {}", picture.mode,
                                             ModeName(picture.mode), DescribeSettings(picture));
            job.entry.title = picture.title;
        }
        gallery.Add(job.entry);
    }
    std::printf("Wrote %zu pictures and %s/index.html\n", jobs.size(), o.folder.c_str());
}

} // namespace

void AddGalleryCommand(CLI::App &app) {
    auto options = std::make_shared<GalleryOptions>();
    auto *command = app.add_subcommand(
        "gallery", "Draw a gallery of every mode, with an animation, into a folder with an "
                   "index.html");
    command->add_option("-s,--seed", options->seed, "Seed: the same seed, the same gallery")
        ->capture_default_str();
    command->add_option("--size", options->size, "Picture size WxH")->capture_default_str();
    command->add_flag("--no-animation", options->noAnimation, "Leave the animation out");
    command->add_option("-o,--output", options->folder, "Folder of the gallery")->required();
    command->callback([options] { MakeGallery(*options); });
}

} // namespace quintorbelle::cli
