// The viewer's key map. Single letters for what is used most (new picture,
// palette and colours, animation, autopilot, save), the number keys for the
// drawing modes, arrows and page keys for the settings that go up and down,
// and the function keys for the copies of the function systems.
#include "viewer/key_map.h"

#include <algorithm>
#include <cctype>

#include "host/host_core.h"

namespace quintorbelle::viewer {
namespace {

using host::MenuCommand;

constexpr KeyBinding Command(SDL_Keycode key, bool shift, MenuCommand command, const char *help) {
    return {key, shift, ViewerAction::kCommand, command, help};
}

constexpr KeyBinding Action(SDL_Keycode key, bool shift, ViewerAction action, const char *help) {
    return {key, shift, action, 0, help};
}

// The help texts use only what the bitmap font draws: letters, digits,
// space and : - . / x #.
constexpr KeyBinding kBindings[] = {
    Action(SDLK_h, false, ViewerAction::kHelp, "show or hide these keys"),
    Action(SDLK_F1, false, ViewerAction::kHelp, nullptr),
    Action(SDLK_q, false, ViewerAction::kQuit, "quit"),
    Action(SDLK_ESCAPE, false, ViewerAction::kQuit, nullptr),
    Command(SDLK_n, false, host::kNewPicture, "new picture"),
    Command(SDLK_n, true, host::kNewParameters, "new parameters"),
    Action(SDLK_a, false, ViewerAction::kAutopilot, "autopilot: the engine explores"),
    Command(SDLK_m, false, host::kToggleAnimation, "animation on or off"),
    Action(SDLK_s, false, ViewerAction::kSave, "save png and json here"),
    Command(SDLK_0, false, host::kSelectMode0, "mode 0: function system"),
    Command(SDLK_1, false, host::kSelectMode1, "mode 1: uniform function system"),
    Command(SDLK_2, false, host::kSelectMode2, "mode 2: quadratic map"),
    Command(SDLK_3, false, host::kSelectMode3, "mode 3: icon"),
    Command(SDLK_4, false, host::kSelectMode4, "mode 4: quilt"),
    Command(SDLK_5, false, host::kSelectMode5, "mode 5: escape time"),
    Command(SDLK_6, false, host::kSelectMode6, "mode 6: newton"),
    Command(SDLK_7, false, host::kSelectMode7, "mode 7: walkers"),
    Command(SDLK_8, false, host::kSelectMode8, "mode 8: automaton"),
    Command(SDLK_p, false, host::kNextPaletteStyle, "next palette style"),
    Command(SDLK_c, false, host::kNextColourScheme, "next colour scheme"),
    Command(SDLK_r, false, host::kNextRampStyle, "next colour ramp"),
    Command(SDLK_l, false, host::kToggleLogScale, "compressed colour scale"),
    Command(SDLK_b, false, host::kToggleColourBySource, "colour by source"),
    Command(SDLK_d, false, host::kNextColouringVariant, "next colouring or colour delay"),
    Command(SDLK_PAGEUP, false, host::kDoubleDensityBase, "double the density base"),
    Command(SDLK_PAGEDOWN, false, host::kHalveDensityBase, "halve the density base"),
    Command(SDLK_UP, false, host::kMoreSymmetry, "more symmetry"),
    Command(SDLK_DOWN, false, host::kLessSymmetry, "less symmetry"),
    Command(SDLK_y, false, host::kSuggestedMoreSymmetry, "more symmetry if the map suits it"),
    Command(SDLK_x, false, host::kToggleMirror, "mirror images"),
    Command(SDLK_f, false, host::kToggleMapVariant, "other form of the map"),
    Command(SDLK_o, false, host::kToggleModeOption, "mode option: basins - wrapping"),
    Command(SDLK_t, false, host::kToggleStepwiseLevels, "whole levels per step: modes 5 6"),
    Command(SDLK_v, false, host::kNextVariation, "next variation: modes 0 1"),
    Command(SDLK_w, false, host::kToggleWeightedChoice, "choose maps by weight"),
    Command(SDLK_RIGHT, false, host::kMoreBaseMaps, "more base maps"),
    Command(SDLK_LEFT, false, host::kFewerBaseMaps, "fewer base maps"),
    Command(SDLK_F2, false, host::kToggleShiftCopies, "shift copies"),
    Command(SDLK_F3, false, host::kToggleHalfAngleCopies, "turn copies by half the angle"),
    Command(SDLK_F4, false, host::kToggleShrinkCopies, "shrink copies"),
    Command(SDLK_F5, false, host::kToggleRandomCopyScale, "scale copies at random"),
    Command(SDLK_F6, false, host::kToggleRandomCopySkip, "skip copies at random"),
    Command(SDLK_F7, false, host::kToggleExtraHalfMap, "add the half map"),
    Command(SDLK_F8, false, host::kToggleExtraFlipMap, "add the flip map"),
    Action(SDLK_z, false, ViewerAction::kZoomIn, "zoom in at the centre"),
    Action(SDLK_KP_PLUS, false, ViewerAction::kZoomIn, nullptr),
    Command(SDLK_MINUS, false, host::kZoomOut, "zoom out"),
    Command(SDLK_KP_MINUS, false, host::kZoomOut, nullptr),
    Command(SDLK_HOME, false, host::kFittedView, "fitted view"),
    Command(SDLK_DELETE, false, host::kResetSettings, "reset the settings"),
    Command(SDLK_DELETE, true, host::kResetSettingsAndColours, "reset settings and colours"),
};

struct SpecialKey {
    SDL_Keycode key;
    const char *name;
};

constexpr SpecialKey kSpecialKeys[] = {
    {SDLK_ESCAPE, "ESC"},      {SDLK_PAGEUP, "PGUP"},
    {SDLK_PAGEDOWN, "PGDN"},   {SDLK_UP, "UP"},
    {SDLK_DOWN, "DOWN"},       {SDLK_LEFT, "LEFT"},
    {SDLK_RIGHT, "RIGHT"},     {SDLK_HOME, "HOME"},
    {SDLK_DELETE, "DEL"},      {SDLK_KP_MINUS, "KP MINUS"},
    {SDLK_KP_PLUS, "KP PLUS"}, {SDLK_F1, "F1"},
    {SDLK_F2, "F2"},           {SDLK_F3, "F3"},
    {SDLK_F4, "F4"},           {SDLK_F5, "F5"},
    {SDLK_F6, "F6"},           {SDLK_F7, "F7"},
    {SDLK_F8, "F8"},
};

const HelpLine kMouseLines[] = {
    {"DOUBLE-CLICK", "ZOOM IN AT THE POINTER"},
    {"WHEEL", "ZOOM IN OR OUT ABOUT THE POINTER"},
    {"RIGHT-CLICK", "ORBIT OF THE PIXEL: MODES 5 6"},
};

} // namespace

std::span<const KeyBinding> KeyBindings() {
    return kBindings;
}

const KeyBinding *FindBinding(SDL_Keycode key, bool shift) {
    auto found = std::find_if(std::begin(kBindings), std::end(kBindings), [&](const KeyBinding &b) {
        return b.key == key && b.shift == shift;
    });
    return found == std::end(kBindings) ? nullptr : &*found;
}

std::string KeyName(const KeyBinding &binding) {
    std::string name = binding.shift ? "SHIFT " : "";
    for (const SpecialKey &special : kSpecialKeys) {
        if (special.key == binding.key) return name + special.name;
    }
    // Letters, digits and '-' name themselves.
    return name + static_cast<char>(std::toupper(static_cast<int>(binding.key)));
}

std::vector<HelpLine> HelpLines() {
    std::vector<HelpLine> lines;
    for (const KeyBinding &binding : kBindings) {
        // A key without help of its own repeats the one listed before it.
        if (binding.help != nullptr) {
            // In capitals: the font draws a small x as a times sign.
            std::string text = binding.help;
            for (char &character : text) {
                character = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
            }
            lines.push_back({KeyName(binding), text});
        } else if (!lines.empty()) {
            lines.back().keys += " / " + KeyName(binding);
        }
    }
    lines.insert(lines.end(), std::begin(kMouseLines), std::end(kMouseLines));
    return lines;
}

} // namespace quintorbelle::viewer
