// The caption tables: for each interface language, the texts given to the window's
// components, in one fixed order. A component listed twice has a caption that depends
// on the state; the window sets whichever applies.
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

// The table of `language`; empty when that language has none yet.
std::span<const Caption> caption_table(int language);
// Text of the first row naming `component` in `language` (falls back on French).
const char* caption_of(int language, const char* component);
// Assigns every row of the table to the child of `root` with that object name (menus,
// actions, labels, buttons, group boxes, tab pages). Rows whose component appears more
// than once are left to the game. Returns false when the language has no table.
bool apply_captions(QObject* root, int language);

}  // namespace qv::ui
