// The explore command: it keeps producing pictures across the modes without
// stalling, the same seed explores the same way, and an interrupted run
// leaves a gallery that matches the pictures written.
#include <gtest/gtest.h>

#include <filesystem>
#include <ranges>
#include <regex>
#include <set>

#include "program_runner.h"

namespace quintorbelle::testing {
namespace {

int CountFigures(const std::string &page) {
    int count = 0;
    for (size_t at = page.find("<figure>"); at != std::string::npos;
         at = page.find("<figure>", at + 1)) {
        ++count;
    }
    return count;
}

// Every picture the page shows, with its picture file, is in the folder.
void ExpectGalleryMatchesFolder(const ScratchFolder &folder, int pictures) {
    std::string page = folder.Read("gallery/index.html");
    EXPECT_EQ(CountFigures(page), pictures);
    std::regex image("src=\"(picture-[0-9]+\\.png)\"");
    std::set<std::string> files;
    for (const std::string &name : std::filesystem::directory_iterator(folder / "gallery") |
                                       std::views::transform([](const auto &entry) {
                                           return entry.path().filename().string();
                                       })) {
        files.insert(name);
    }
    int shown = 0;
    for (std::sregex_iterator match(page.begin(), page.end(), image), end; match != end; ++match) {
        std::string png = (*match)[1];
        EXPECT_TRUE(files.count(png)) << png;
        EXPECT_TRUE(files.count(png.substr(0, png.size() - 4) + ".json")) << png;
        ++shown;
    }
    EXPECT_EQ(shown, pictures);
}

TEST(Explore, KeepsProducingPicturesAcrossTheModes) {
    ScratchFolder folder;
    ProgramResult result = RunProgram({"explore", "--seed", "3", "--pictures", "30", "--size",
                                       "128x96", "-o", folder / "gallery"});
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    ExpectGalleryMatchesFolder(folder, 30);
    std::set<std::string> modes;
    std::regex mode("mode ([0-8]) ");
    std::string page = folder.Read("gallery/index.html");
    for (std::sregex_iterator match(page.begin(), page.end(), mode), end; match != end; ++match) {
        modes.insert((*match)[1]);
    }
    EXPECT_GE(modes.size(), 6u) << "the explorer stayed in too few modes";
}

TEST(Explore, TheSameSeedExploresTheSameWay) {
    ScratchFolder first;
    ScratchFolder second;
    for (const ScratchFolder *folder : {&first, &second}) {
        ASSERT_EQ(RunProgram({"explore", "--seed", "8", "--pictures", "6", "--size", "128x96", "-o",
                              *folder / "gallery"})
                      .exitCode,
                  0);
    }
    EXPECT_EQ(first.Read("gallery/index.html"), second.Read("gallery/index.html"));
    EXPECT_EQ(first.Read("gallery/picture-0006.png"), second.Read("gallery/picture-0006.png"));
}

TEST(Explore, AnInterruptedRunLeavesAConsistentGallery) {
    ScratchFolder folder;
    // Interrupted once the gallery shows a picture, however slow the build.
    ProgramResult result =
        RunProgram({"explore", "--seed", "2", "--pictures", "10000", "--size", "128x96", "-o",
                    folder / "gallery"},
                   [&] { return CountFigures(folder.Read("gallery/index.html")) > 0; });
    EXPECT_EQ(result.exitCode, 130) << result.standardError;
    EXPECT_NE(result.standardError.find("interrupted"), std::string::npos);
    std::string page = folder.Read("gallery/index.html");
    int pictures = CountFigures(page);
    EXPECT_GT(pictures, 0);
    ExpectGalleryMatchesFolder(folder, pictures);
}

} // namespace
} // namespace quintorbelle::testing
