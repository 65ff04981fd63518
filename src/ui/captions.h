// The caption tables, written from the entries caption.* of data/lang: for each interface
// language, the texts given to the window's components, in the French file's order. A
// component listed twice has a caption that depends on the state; the window sets it.
#pragma once

#include <cstdint>
#include <span>

class QObject;

namespace qv::ui {

enum Language : uint8_t { FRENCH, ENGLISH, DUTCH, PORTUGUESE, SPANISH, ITALIAN };
inline constexpr int LANGUAGES = 6;

struct Caption {
    const char* component;
    const char* text;
};

// The table of `language` (French for a language outside 0..5).
std::span<const Caption> caption_table(int language);
// Text of the first row naming `component` in `language`; "" when there is none.
const char* caption_of(int language, const char* component);
// Text of the `k`-th row (from 0) naming `component`: the state-dependent captions, e.g.
// "Bas_Haut" 0 flipped and 1 not flipped, "Couleurjoue" 0 the player and 1 the computer,
// "Couleurordi" 0 black and 1 white.
const char* caption_variant(int language, const char* component, int k);
// Assigns every row of the table to the child of `root` with that object name (menus,
// actions, labels, buttons, group boxes, tab pages). Rows whose component appears more
// than once are left to the game.
void apply_captions(QObject* root, int language);

}  // namespace qv::ui
