// quintorbelle: draw, explore, animate and keep mathematical pictures.
#include <cstdio>
#include <exception>

#include "cli/commands.h"

int main(int argc, char **argv) {
    using namespace quintorbelle::cli;
    CLI::App app{"Quintorbelle: attractors, quilts, escape-time and Newton pictures, walkers "
                 "and cellular automata.",
                 "quintorbelle"};
    app.require_subcommand(1);
    app.footer("Examples:\n"
               "  quintorbelle render --mode 3 --seed 7 -o icon.png --save icon.json\n"
               "  quintorbelle render icon.json --mirror --scheme 6 -o icon-mirrored.png\n"
               "  quintorbelle render --mode 5 --classic --zoom 4@214,267 -o deep.png\n"
               "  quintorbelle animate --mode 6 --loop -o newton.gif\n"
               "  quintorbelle explore --pictures 20 -o gallery\n"
               "Each command has --help.");
    AddGalleryCommand(app);
    AddSwatchesCommand(app);
    AddRenderCommand(app);
    AddExploreCommand(app);
    AddAnimateCommand(app);
#ifdef QUINTORBELLE_WITH_VIEWER
    AddViewCommand(app);
#endif
    if (argc > 1 && argv[1][0] != '-') {
        bool known = false;
        for (const CLI::App *command : app.get_subcommands({}))
            known |= command->get_name() == argv[1];
        if (!known) {
            std::fprintf(stderr, "quintorbelle: %s is not a command; see quintorbelle --help\n",
                         argv[1]);
            return kExitUsage;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &help) {
        return app.exit(help);
    } catch (const CLI::ParseError &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitUsage;
    } catch (const Interrupted &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitInterrupted;
    } catch (const UsageError &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitUsage;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitFailed;
    }
    return kExitOk;
}
