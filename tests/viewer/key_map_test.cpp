// The viewer's key map: every menu command of the host core on exactly one
// key, no key doing two things, and a help overlay the bitmap font can draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "host/bitmap_font.h"
#include "host/host_core.h"
#include "viewer/key_map.h"

namespace quintorbelle::viewer {
namespace {

TEST(KeyMap, EveryMenuCommandHasOneListedKeyAndNoKeyTwoMeanings) {
    std::set<std::pair<SDL_Keycode, bool>> keys;
    for (const KeyBinding &binding : KeyBindings()) {
        EXPECT_TRUE(keys.insert({binding.key, binding.shift}).second) << KeyName(binding);
        EXPECT_EQ(FindBinding(binding.key, binding.shift), &binding);
    }
    for (int32_t id = host::kFirstMenuCommand; id <= host::kLastMenuCommand; ++id) {
        int listed = 0;
        for (const KeyBinding &binding : KeyBindings()) {
            bool runs = binding.action == ViewerAction::kCommand && binding.command == id;
            listed += runs && binding.help != nullptr ? 1 : 0;
        }
        EXPECT_EQ(listed, 1) << "command " << id;
    }
    EXPECT_EQ(FindBinding(SDLK_c, true), nullptr);
}

TEST(KeyMap, ModesOnTheNumberKeysAndSingleLettersForTheCommonActions) {
    for (int32_t mode = 0; mode <= 8; ++mode) {
        const KeyBinding *binding = FindBinding(SDLK_0 + mode, false);
        ASSERT_NE(binding, nullptr);
        EXPECT_EQ(binding->command, host::ModeCommand(mode));
    }
    EXPECT_EQ(FindBinding(SDLK_n, false)->command, host::kNewPicture);
    EXPECT_EQ(FindBinding(SDLK_p, false)->command, host::kNextPaletteStyle);
    EXPECT_EQ(FindBinding(SDLK_m, false)->command, host::kToggleAnimation);
    EXPECT_EQ(FindBinding(SDLK_a, false)->action, ViewerAction::kAutopilot);
    EXPECT_EQ(FindBinding(SDLK_s, false)->action, ViewerAction::kSave);
    EXPECT_EQ(FindBinding(SDLK_ESCAPE, false)->action, ViewerAction::kQuit);
}

TEST(KeyMap, HelpLinesNameEveryKeyInLettersTheFontDraws) {
    const std::vector<HelpLine> lines = HelpLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().keys, "H / F1");
    EXPECT_EQ(lines[1].keys, "Q / ESC");
    uint32_t canvas[host::kGlyphWidth * host::kGlyphHeight];
    for (const HelpLine &line : lines) {
        for (char character : line.keys + line.text) {
            if (character == ' ') continue;
            std::fill(std::begin(canvas), std::end(canvas), 0u);
            host::DrawText(canvas, host::kGlyphWidth, host::kGlyphHeight, 0, 0,
                           std::string(1, character), 1);
            EXPECT_NE(std::count(std::begin(canvas), std::end(canvas), 1u), 0)
                << "'" << character << "' in " << line.keys << " " << line.text;
        }
    }
}

} // namespace
} // namespace quintorbelle::viewer
