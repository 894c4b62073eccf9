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
    app.set_help_all_flag("--help-all", "Show the help of every command");
    AddSwatchesCommand(app);
    AddRenderCommand(app);
    AddExploreCommand(app);
#ifdef QUINTORBELLE_WITH_VIEWER
    AddViewCommand(app);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp &help) {
        return app.exit(help);
    } catch (const CLI::ParseError &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitUsage;
    } catch (const UsageError &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitUsage;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "quintorbelle: %s\n", error.what());
        return kExitFailed;
    }
    return kExitOk;
}
