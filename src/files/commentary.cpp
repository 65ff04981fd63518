#include "files/commentary.h"

#include <vector>

namespace qv {

namespace {

constexpr const char* CODES[COMMENTARY_LANGUAGES] = {"fr", "en", "nl", "pt", "es", "it"};
constexpr std::string_view SOLUTION_MARK = "[solution]";

// The language of a line "[xx]", or -1.
int section_of(std::string_view line) {
    for (int l = 0; l < COMMENTARY_LANGUAGES; ++l)
        if (line.size() == 4 && line.front() == '[' && line.back() == ']' &&
            line.substr(1, 2) == CODES[l])
            return l;
    return -1;
}

// Lines joined, each ended by "\n", without blank lines at either end.
std::string join(const std::vector<std::string_view>& lines) {
    size_t first = 0, last = lines.size();
    while (first < last && lines[first].empty()) ++first;
    while (last > first && lines[last - 1].empty()) --last;
    std::string text;
    for (size_t k = first; k < last; ++k) {
        text += lines[k];
        text += '\n';
    }
    return text;
}

}  // namespace

std::string_view trim_line(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

Commentary parse_commentary(std::string_view file) {
    std::vector<std::string_view> text[COMMENTARY_LANGUAGES], solution[COMMENTARY_LANGUAGES];
    Commentary c;
    int language = 0;
    bool in_solution = false, before_sections = true;
    while (!file.empty()) {
        const size_t end = file.find('\n');
        const std::string_view line = trim_line(file.substr(0, end));
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (const int l = section_of(line); l >= 0) {
            language = l;
            in_solution = before_sections = false;
        } else if (line == SOLUTION_MARK && !before_sections) {
            in_solution = true;
        } else if (before_sections && line == "goal: win") {
            c.goal = LessonGoal::win;
        } else if (before_sections && line == "goal: draw") {
            c.goal = LessonGoal::draw;
        } else {
            (in_solution ? solution : text)[language].push_back(line);
        }
    }
    for (int l = 0; l < COMMENTARY_LANGUAGES; ++l) {
        c.text[l] = join(text[l]);
        c.solution[l] = join(solution[l]);
    }
    return c;
}

std::string write_commentary(const Commentary& c) {
    std::string out;
    if (c.goal != LessonGoal::none)
        out += c.goal == LessonGoal::win ? "goal: win\n\n" : "goal: draw\n\n";
    for (int l = 0; l < COMMENTARY_LANGUAGES; ++l) {
        if (c.text[l].empty() && c.solution[l].empty()) continue;
        out += std::string("[") + CODES[l] + "]\n" + c.text[l] + "\n";
        if (!c.solution[l].empty()) out += std::string(SOLUTION_MARK) + "\n" + c.solution[l] + "\n";
    }
    return out;
}

std::string commentary_for(const Commentary& c, int language, bool with_solution) {
    auto present = [&c](int l) { return !c.text[l].empty() || !c.solution[l].empty(); };
    int l = language >= 0 && language < COMMENTARY_LANGUAGES && present(language) ? language : 0;
    for (int k = 1; k < COMMENTARY_LANGUAGES && !present(l); ++k) l = k;
    std::string shown = c.text[l];
    if (with_solution && !c.solution[l].empty())
        shown += (shown.empty() ? "" : "\n") + c.solution[l];
    return shown;
}

}  // namespace qv
