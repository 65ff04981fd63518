#include "ui/themes.h"

#include <filesystem>
#include <string>

#include "board/data_dir.h"

namespace qv::ui {

namespace {
const ThemeRow ROWS[THEMES + 1] = {
    {"", "", "", 0, 0},
    {"Damier3D1", "SpeedButton7", "miniclassici.bmp", 1, 1},
    {"Damier3D2", "SpeedButton8", "mininuiti.bmp", 2, 1},
    {"Damier3D3", "SpeedButton9", "minimarbrei.bmp", 3, 3},
    {"Damier3D4", "SpeedButton15", "minicopai.bmp", 4, 4},
    {"Damier3D5", "SpeedButton16", "miniverrei.bmp", 5, 5},
    {"Damier3D6", "SpeedButton17", "minifeui.bmp", 6, 6},
    {"Damier3D7", "SpeedButton18", "miniluxei.bmp", 7, 7},
    {"Damier3D8", "SpeedButton19", "minigaletsi.bmp", 8, 8},
};
}  // namespace

const ThemeRow& theme_row(int theme) {
    return ROWS[theme >= 1 && theme <= THEMES ? theme : 0];
}

void detect_availability(ThemeState& state) {
    state.available.fill(false);
    state.available[1] = state.available[2] = true;
    for (int theme = 3; theme <= THEMES; ++theme) {
        const std::string name = "damier" + std::to_string(theme_row(theme).background) + "i.bmp";
        std::error_code error;
        state.available[theme] = std::filesystem::is_regular_file(data_path(name), error);
    }
}

ThemeLoads plan_theme_switch(const ThemeState& state, int theme) {
    const ThemeRow& row = theme_row(theme);
    ThemeLoads loads;
    if (row.sprite_set != state.loaded_set) loads.sprite_set = row.sprite_set;
    if (row.background != state.loaded_background) loads.background = row.background;
    return loads;
}

ThemeLoads plan_2d_switch(const ThemeState& state) {
    if (state.current_theme <= 2) return {};
    return {1, 1};
}

int picked_theme(const ThemeState& state, int chosen) {
    if (chosen < 1 || chosen > THEMES || !state.available[chosen]) return 1;
    return chosen;
}

}  // namespace qv::ui
