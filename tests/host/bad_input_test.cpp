// Bad input to the program: every case gets a one-line error naming the
// problem, exit code 2, and nothing written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/png_file.h"
#include "program_runner.h"

namespace quintorbelle::testing {
namespace {

struct BadInput {
    std::vector<std::string> arguments; // "{dir}" stands for the scratch folder
    std::string complaint;              // a part of the error line
};

std::vector<std::string> Expand(const std::vector<std::string> &arguments,
                                const ScratchFolder &folder) {
    std::vector<std::string> expanded;
    for (std::string argument : arguments) {
        for (size_t at = argument.find("{dir}"); at != std::string::npos;
             at = argument.find("{dir}")) {
            argument.replace(at, 5, folder.path());
        }
        expanded.push_back(argument);
    }
    return expanded;
}

void ExpectRefused(const BadInput &input, const ScratchFolder &folder,
                   const std::vector<std::string> &filesBefore) {
    ProgramResult result = RunProgram(Expand(input.arguments, folder));
    std::string shown;
    for (const std::string &argument : input.arguments) shown += argument + " ";
    EXPECT_EQ(result.exitCode, 2) << shown << "\n" << result.standardError;
    EXPECT_EQ(result.standardError.rfind("quintorbelle: ", 0), 0u) << shown;
    EXPECT_EQ(result.standardError.find('\n'), result.standardError.size() - 1)
        << shown << ": not one line: " << result.standardError;
    EXPECT_NE(result.standardError.find(input.complaint), std::string::npos)
        << shown << ": expected '" << input.complaint << "' in: " << result.standardError;
    EXPECT_EQ(folder.Files(), filesBefore) << shown << ": something was written";
}

TEST(BadInput, ArgumentsAreRefusedWithOneLineAndNothingWritten) {
    ScratchFolder folder;
    const std::vector<BadInput> table = {
        {{"render", "--mode", "9", "-o", "{dir}/x.png"}, "--mode 9 is out of range"},
        {{"render", "--mode", "-1", "-o", "{dir}/x.png"}, "--mode -1"},
        {{"render", "--size", "2000x100", "-o", "{dir}/x.png"}, "larger than 1280x1024"},
        {{"render", "--size", "10x10", "-o", "{dir}/x.png"}, "smaller than 32x32"},
        {{"render", "--size", "big", "-o", "{dir}/x.png"}, "--size big"},
        {{"render", "--bogus", "-o", "{dir}/x.png"}, "--bogus"},
        {{"render", "--mode", "3"}, "--output"},
        {{"render", "--mode", "3", "--degree", "0", "-o", "{dir}/x.png"}, "--degree 0"},
        {{"render", "--mode", "7", "--degree", "13", "-o", "{dir}/x.png"}, "--degree 13"},
        {{"render", "--mode", "8", "--degree", "256", "-o", "{dir}/x.png"}, "--degree 256"},
        {{"render", "--mode", "2", "--colouring", "15", "-o", "{dir}/x.png"}, "--colouring 15"},
        {{"render", "--ramp", "5", "-o", "{dir}/x.png"}, "--ramp 5"},
        {{"render", "--scheme", "24", "-o", "{dir}/x.png"}, "--scheme 24"},
        {{"render", "--variation", "7", "-o", "{dir}/x.png"}, "--variation 7"},
        {{"render", "--zoom", "2@5000,1", "-o", "{dir}/x.png"}, "outside the 800x600 picture"},
        {{"render", "--zoom", "closer", "-o", "{dir}/x.png"}, "FACTOR@X,Y"},
        {{"render", "--zoom", "-2@5,5", "-o", "{dir}/x.png"}, "positive number"},
        {{"render", "--mode", "3", "--classic", "-o", "{dir}/x.png"}, "modes 5 and 6 only"},
        {{"render", "--mode", "5", "--start-axis", "1", "-o", "{dir}/x.png"}, "RE,IM"},
        {{"render", "--mode", "3", "--work", "0", "-o", "{dir}/x.png"}, "--work 0"},
        {{"render", "-o", "{dir}/missing/x.png"}, "does not exist"},
        {{"render", "-o", "{dir}"}, "is a folder"},
        {{"render", "{dir}/absent.json", "-o", "{dir}/x.png"}, "cannot read"},
        {{"orbit", "--mode", "3", "--at", "1,1", "-o", "{dir}/x.png"}, "modes 5 and 6 only"},
        {{"orbit", "--mode", "5", "--at", "900,1", "-o", "{dir}/x.png"}, "--at 900,1"},
        {{"explore", "--size", "1x1", "-o", "{dir}/gallery"}, "--size 1x1"},
        {{"explore", "--pictures", "0", "-o", "{dir}/gallery"}, "--pictures 0"},
        {{"animate", "--delay", "1", "-o", "{dir}/x.gif"}, "--delay 1"},
        {{"swatches"}, "--output"},
        {{"paint", "-o", "{dir}/x.png"}, "paint"},
    };
    for (const BadInput &input : table) ExpectRefused(input, folder, {});
}

// A picture file that loads: the icon of degree 3.
const std::string kGoodFile = R"({
  "format": "quintorbelle picture",
  "version": 1,
  "mode": 3,
  "size": [64, 48],
  "seed": 5,
  "settings": {"degree": 3},
  "parameters": {"icon": {"lambda": -2.7, "alpha": 5.0, "beta": 1.5, "gamma": 1.0, "omega": 0.0}}
})";

std::string Replace(std::string text, const std::string &from, const std::string &to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(BadInput, PictureFilesAreRefusedNamingTheField) {
    ScratchFolder folder;
    const std::string automaton = R"({"format": "quintorbelle picture", "version": 1, "mode": 8,
      "settings": {"degree": 3}, "parameters": {"automaton": {"class": 1, "radius": 1,
      "neighbourhood": 448, "multiplier": 5, "mask": 3, "modulus": 7, "seed": 9}}})";
    const std::string functionSystem = R"({"format": "quintorbelle picture", "version": 1,
      "mode": 0, "parameters": {"maps": [[0.5, 0, 0, 0.5, 0.1, 0.2, 50]]}})";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"{ not json", "not valid JSON"},
        {Replace(kGoodFile, "\"seed\": 5", "\"seed\": 5, \"colour\": 1"), "colour: is not a field"},
        {Replace(kGoodFile, "\"version\": 1", "\"version\": 2"), "version: 2 is out of range"},
        {Replace(kGoodFile, "\"mode\": 3", "\"mode\": 10"), "mode: 10 is out of range"},
        {Replace(kGoodFile, "[64, 48]", "[2000, 48]"), "size: 2000x48"},
        {Replace(kGoodFile, "\"degree\": 3", "\"degree\": 99"), "settings.degree: 99"},
        {Replace(kGoodFile, "\"degree\": 3", "\"degree\": 3, \"colouringVariant\": 20"),
         "settings.colouringVariant: 20"},
        {Replace(kGoodFile, "\"degree\": 3", "\"degree\": 3, \"word\": 1"), "settings.word"},
        {Replace(kGoodFile, "\"lambda\": -2.7", "\"lambda\": \"big\""), "parameters.icon.lambda"},
        {Replace(kGoodFile, "\"icon\"", "\"icons\""), "parameters.icon: is missing"},
        {Replace(automaton, "\"degree\": 3", "\"degree\": 300"), "settings.degree: 300"},
        {Replace(automaton, "\"modulus\": 7", "\"modulus\": 0"), "parameters.automaton.modulus"},
        {Replace(automaton, "\"radius\": 1", "\"radius\": 8"), "parameters.automaton.radius"},
        {Replace(functionSystem, "50]", "0]"), "weight must be a whole number from 1 to 100"},
        {Replace(functionSystem, "0.5, 0, 0", "0.5, null, 0"), "parameters.maps[0]"},
    };
    int index = 0;
    for (const auto &[contents, complaint] : files) {
        std::string name = "bad-" + std::to_string(++index) + ".json";
        folder.Write(name, contents);
        std::vector<std::string> before = folder.Files();
        ExpectRefused({{"render", "{dir}/" + name, "-o", "{dir}/x.png", "--work", "5"}, complaint},
                      folder, before);
    }

    // A PNG that carries no picture file.
    const uint8_t pixels[32 * 32] = {};
    const uint32_t colours[256] = {};
    ASSERT_FALSE(
        host::WritePng(folder / "plain.png", host::IndexedImage{32, 32, pixels, 32, colours}));
    ExpectRefused({{"render", "{dir}/plain.png", "-o", "{dir}/x.png"}, "carries no picture"},
                  folder, folder.Files());

    // A picture file cannot be combined with the options it already answers.
    folder.Write("good.json", kGoodFile);
    ExpectRefused({{"render", "{dir}/good.json", "--mode", "2", "-o", "{dir}/x.png"},
                   "--mode cannot be combined with a picture file"},
                  folder, folder.Files());
}

TEST(BadInput, TheGoodFileOfTheseTestsLoads) {
    ScratchFolder folder;
    folder.Write("good.json", kGoodFile);
    ProgramResult result =
        RunProgram({"render", folder / "good.json", "--work", "20", "-o", folder / "x.png"});
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"good.json", "x.png"}));
}

} // namespace
} // namespace quintorbelle::testing
