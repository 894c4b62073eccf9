// Pictures are reproducible bit for bit: the same command draws the same
// picture, a picture file (or the PNG that carries it) draws it again, and
// one picture per mode from a fixed seed matches its reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "indexed_png.h"
#include "program_runner.h"

namespace quintorbelle::testing {
namespace {

// The complex pictures are drawn to completion; the others for a fixed work.
std::vector<std::string> WorkFor(int mode) {
    if (mode == 5 || mode == 6) return {};
    return {"--work", "600"};
}

std::vector<std::string> Render(int mode, std::vector<std::string> extra, int seed = 11) {
    std::vector<std::string> arguments = {"render",  "--mode", std::to_string(mode), "--size",
                                          "160x120", "--seed", std::to_string(seed)};
    if (std::find(extra.begin(), extra.end(), "--work") == extra.end()) {
        for (const std::string &argument : WorkFor(mode)) arguments.push_back(argument);
    }
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
}

std::vector<std::string> RenderFile(const std::string &file, int mode, const std::string &output) {
    std::vector<std::string> arguments = {"render", file, "-o", output};
    for (const std::string &argument : WorkFor(mode)) arguments.push_back(argument);
    return arguments;
}

void ExpectSamePicture(const std::string &expectedPath, const std::string &actualPath) {
    IndexedPicture expected = ReadIndexedPng(expectedPath);
    IndexedPicture actual = ReadIndexedPng(actualPath);
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.colours, expected.colours) << actualPath << ": another palette";
    if (actual.indices != expected.indices) {
        std::string difference = actualPath + ".difference.png";
        WriteDifference(difference, expected, actual);
        ADD_FAILURE() << actualPath << " differs from " << expectedPath << "; see " << difference;
    }
}

class EveryMode : public ::testing::TestWithParam<int> {};

TEST_P(EveryMode, AFileDrawsThePictureAgainBitForBit) {
    ScratchFolder folder;
    const int mode = GetParam();
    ProgramResult first =
        RunProgram(Render(mode, {"-o", folder / "first.png", "--save", folder / "first.json"}));
    ASSERT_EQ(first.exitCode, 0) << first.standardError;

    ProgramResult fromFile =
        RunProgram(RenderFile(folder / "first.json", mode, folder / "from-file.png"));
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.standardError;
    ExpectSamePicture(folder / "first.png", folder / "from-file.png");

    ProgramResult fromPng =
        RunProgram(RenderFile(folder / "first.png", mode, folder / "from-png.png"));
    ASSERT_EQ(fromPng.exitCode, 0) << fromPng.standardError;
    ExpectSamePicture(folder / "first.png", folder / "from-png.png");
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryMode, ::testing::Range(0, 9));

// One picture per mode with the default settings, and the flags and
// variants that change how a mode draws or colours.
struct Reference {
    const char *name;
    int mode;
    std::vector<std::string> options;
    int seed = 11;
};

void PrintTo(const Reference &picture, std::ostream *out) {
    *out << picture.name;
}

class ReferencePicture : public ::testing::TestWithParam<Reference> {};

TEST_P(ReferencePicture, IsDrawnBitForBit) {
    const Reference &picture = GetParam();
    const std::string reference =
        std::string(QUINTORBELLE_GOLDEN_DIR) + "/" + picture.name + ".png";
    const bool update = std::getenv("QUINTORBELLE_UPDATE_GOLDEN") != nullptr;
    const std::string output = update ? reference
                                      : (std::filesystem::temp_directory_path() /
                                         (std::string("quintorbelle-") + picture.name + ".png"))
                                            .string();
    std::vector<std::string> options = picture.options;
    options.insert(options.end(), {"-o", output});
    ProgramResult result = RunProgram(Render(picture.mode, options, picture.seed));
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    if (!update) ExpectSamePicture(reference, output);
}

const Reference kReferences[] = {
    {"mode-0", 0, {}},
    {"mode-1", 1, {}},
    {"mode-2", 2, {}},
    {"mode-3", 3, {}},
    {"mode-4", 4, {}},
    {"mode-5", 5, {}},
    {"mode-6", 6, {}},
    {"mode-7", 7, {}},
    {"mode-8", 8, {}},
    {"mode-0-mirror-by-source", 0, {"--mirror", "--by-source", "--colouring", "3"}},
    {"mode-1-by-source", 1, {"--by-source"}},
    // Without the refusal of orbits on a mirror line this seed draws a line.
    {"mode-3-mirror-variant", 3, {"--mirror", "--variant"}},
    {"mode-3-mirror", 3, {"--mirror"}},
    {"mode-3-variant", 3, {"--variant"}},
    {"mode-4-square-by-source", 4, {"--degree", "3", "--by-source"}},
    {"mode-4-variant", 4, {"--variant"}},
    {"mode-5-orbit-statistics", 5, {"--variant"}},
    {"mode-5-by-source", 5, {"--by-source", "--colouring", "4"}},
    {"mode-5-ramp-1", 5, {"--ramp", "1"}},
    {"mode-5-ramp-2-scheme-7", 5, {"--ramp", "2", "--scheme", "7"}},
    {"mode-5-ramp-3-scheme-19", 5, {"--ramp", "3", "--scheme", "19"}},
    {"mode-6-variant-by-source", 6, {"--variant", "--by-source", "--colouring", "2"}},
    {"mode-7-wrapping-mirror", 7, {"--option", "--mirror"}},
    {"mode-8-five-states", 8, {"--degree", "5"}, 15},
    // The first rule of this seed dies out into flat rows and is drawn again.
    {"mode-8-flat-rule-redrawn", 8, {"--work", "20000"}, 2},
};

INSTANTIATE_TEST_SUITE_P(Pictures, ReferencePicture, ::testing::ValuesIn(kReferences),
                         [](const ::testing::TestParamInfo<Reference> &test) {
                             std::string name = test.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(Pictures, ChangedSettingsAreSavedAndDrawnAgain) {
    ScratchFolder folder;
    ASSERT_EQ(RunProgram(Render(3, {"-o", folder / "a.png", "--save", folder / "a.json"})).exitCode,
              0);
    ProgramResult changed =
        RunProgram({"render", folder / "a.json", "--mirror", "--scheme", "7", "--work", "600", "-o",
                    folder / "b.png", "--save", folder / "b.json"});
    ASSERT_EQ(changed.exitCode, 0) << changed.standardError;
    std::string saved = folder.Read("b.json");
    EXPECT_NE(saved.find("\"mirror\": true"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"scheme\": 7"), std::string::npos) << saved;

    ASSERT_EQ(
        RunProgram({"render", folder / "b.json", "--work", "600", "-o", folder / "c.png"}).exitCode,
        0);
    ExpectSamePicture(folder / "b.png", folder / "c.png");
}

TEST(Pictures, ZoomsAreKeptWithThePicture) {
    ScratchFolder folder;
    ProgramResult zoomed =
        RunProgram({"render", "--mode", "5", "--classic", "--size", "160x120", "--zoom", "4@60,60",
                    "--zoom", "2@80,40", "-o", folder / "a.png", "--save", folder / "a.json"});
    ASSERT_EQ(zoomed.exitCode, 0) << zoomed.standardError;
    EXPECT_NE(folder.Read("a.json").find("\"zooms\""), std::string::npos);
    ASSERT_EQ(RunProgram({"render", folder / "a.png", "-o", folder / "b.png"}).exitCode, 0);
    ExpectSamePicture(folder / "a.png", folder / "b.png");
}

} // namespace
} // namespace quintorbelle::testing
