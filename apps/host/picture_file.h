// Picture files: everything that makes a picture, as human-readable JSON, so
// that a picture can be kept, edited, loaded back and drawn again.
//
// A file holds the mode, size and seed, the settings (also as the settings
// word the engine replays), the mode's parameters as the engine's pointer
// lists give them (and the function table in modes 0 and 1), the random
// state, the zooms applied to the view, the colours and the title. Reading
// refuses unknown fields and values the engine must not be given, naming the
// field and the reason.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host_core.h"
#include "host/on_off_settings.h"

namespace quintorbelle::host {

inline constexpr int32_t kPictureFileVersion = 1;
inline constexpr const char *kPictureFileFormat = "quintorbelle picture";
// The keyword of the PNG text chunk that carries a picture file.
inline constexpr const char *kPictureChunkKeyword = "quintorbelle";

struct PictureFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct PictureDescription {
    int32_t mode = 0;
    int32_t width = 800;
    int32_t height = 600;
    uint32_t seed = 1;
    uint32_t randomCounter = 1;
    std::string title;

    // Settings.
    int32_t degree = 1;
    int32_t baseMaps = 1;
    int32_t variation = 0;
    int32_t colouring = 0;
    int32_t animationFlags = 0;
    OnOffFlags flags{}; // indexed by OnOff

    // Parameters of the mode.
    std::vector<QuintorbelleMapRecord> maps;     // modes 0, 1
    std::array<double, 6> quadratic{};           // mode 2
    std::array<double, 5> icon{};                // modes 3, 4: lambda, alpha, beta, gamma, omega
    std::array<double, 8> slice{};               // modes 5, 6: as the slice pointer list
    std::array<uint32_t, 2> walkerRandomState{}; // mode 7
    std::array<uint32_t, 7> automaton{0, 0, 0, 1, 1, 1, 0}; // mode 8: as the rule pointer list

    std::vector<AppliedZoom> zooms;

    // Colours.
    int32_t ramp = 0;
    int32_t scheme = 0;
    int32_t densityBase = 1;
    std::array<uint32_t, 3> anchors{};
    std::array<uint8_t, QB_RAMP_OPTION_COUNT> rampOptions{};
};

// The picture the core shows now.
PictureDescription DescribePicture(const HostCore &core);

// The description as the text of a picture file, and back. Reading throws
// PictureFileError naming the field and the reason.
std::string PictureFileText(const PictureDescription &picture);
PictureDescription ReadPictureFileText(const std::string &text);

// Reads a picture file, or the picture a PNG written by this program carries.
PictureDescription ReadPictureFile(const std::string &path);

// A host core showing the described picture, started without drawing new
// parameters: the settings are replayed through the engine, the parameters
// set, the zooms applied.
std::unique_ptr<HostCore> LoadPicture(const PictureDescription &picture);

} // namespace quintorbelle::host
