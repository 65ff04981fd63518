// The perspective board styles: which background and sprite set each one uses, which
// of them can be shown, and what a switch from one to another must load.
#pragma once

#include <array>
#include <cstdint>

namespace qv::ui {

inline constexpr int THEMES = 8;

struct ThemeRow {
    const char* action;     // its entry in the "Affichage" menu
    const char* button;     // its button on the start-up panel
    const char* miniature;  // the picture on that button
    uint8_t background;     // N of damierNi.bmp / damierNwi.bmp
    uint8_t sprite_set;     // T of the directory ImagesTi
};

// Rows for themes 1..8 (entry 0 unused).
const ThemeRow& theme_row(int theme);

// What is on screen and in memory, with counters of the loads made (tests read them).
struct ThemeState {
    int8_t current_theme = 0;       // 1..8; 0 before any perspective board was chosen
    uint8_t loaded_set = 0;         // sprite set in memory, 0 none
    uint8_t loaded_background = 0;  // background in memory, 0 none
    std::array<bool, THEMES + 1> available{};
    int set_loads = 0;
    int background_loads = 0;
};

// Themes 1 and 2 are always offered; 3 to 8 only when their damierNi.bmp is in the
// program's directory.
void detect_availability(ThemeState& state);

// What switching to `theme` must load: the sprite set only when it differs from the one
// in memory (themes 1 and 2 share set 1), the background only when it changes.
struct ThemeLoads {
    uint8_t sprite_set = 0;  // 0: keep the one in memory
    uint8_t background = 0;  // 0: keep the one in memory
};
ThemeLoads plan_theme_switch(const ThemeState& state, int theme);
// Leaving for the 2D board: a theme above 2 gives way to set 1 and background 1.
ThemeLoads plan_2d_switch(const ThemeState& state);

// The theme a start-up button opens: the chosen one, or theme 1 when it is not available.
int picked_theme(const ThemeState& state, int chosen);

}  // namespace qv::ui
