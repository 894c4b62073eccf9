// The viewer's keys: every menu command of the host core, the drawing modes
// on the number keys and the viewer's own actions, with the help text the
// overlay shows.
//
// Only SDL's key codes are used here; nothing is drawn or carried out.
#pragma once

#include <SDL_keycode.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quintorbelle::viewer {

enum class ViewerAction {
    kCommand,   // a menu command of the host core
    kHelp,      // show or hide the help overlay
    kQuit,      // close the viewer
    kSave,      // save the picture with a numbered name
    kAutopilot, // automatic exploration on or off
    kZoomIn,    // zoom in by two about the centre
};

struct KeyBinding {
    SDL_Keycode key;
    bool shift;
    ViewerAction action;
    int32_t command;  // the menu command id, for kCommand
    const char *help; // the overlay's line; null for a key that repeats another
};

// Every binding, in the order the help overlay lists them.
std::span<const KeyBinding> KeyBindings();

// The binding of a key pressed with or without Shift; null when it has none.
const KeyBinding *FindBinding(SDL_Keycode key, bool shift);

// The key as the overlay names it, e.g. "SHIFT DEL".
std::string KeyName(const KeyBinding &binding);

// The overlay's lines: each key's name and what it does, then the mouse.
struct HelpLine {
    std::string keys;
    std::string text;
};
std::vector<HelpLine> HelpLines();

} // namespace quintorbelle::viewer
