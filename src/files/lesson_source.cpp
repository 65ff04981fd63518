#include "files/lesson_source.h"

#include <cstdlib>
#include <cstring>

#include "board/board.h"
#include "game/game_record.h"

namespace qv {

namespace {

// A notation number 1..32, or 0.
int number(std::string_view s) {
    if (s.empty() || s.size() > 2) return 0;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= 32 ? n : 0;
}

}  // namespace

bool parse_moves(std::string_view text, std::vector<LessonMove>& out) {
    out.clear();
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) break;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        const std::string_view token = text.substr(start, i - start);
        const size_t sep = token.find_first_of("-x");
        if (sep == std::string_view::npos) return false;
        const int from = number(token.substr(0, sep));
        const int to = number(token.substr(sep + 1));
        if (!from || !to) return false;
        out.push_back({SQUARE_OF_LABEL[from], SQUARE_OF_LABEL[to], token[sep] == 'x'});
    }
    return true;
}

bool parse_lesson_source(std::string_view text, LessonSource& out, LessonSourceProblem& why) {
    LessonSource src;
    bool has_position = false;
    int line_number = 0;
    auto fail = [&why](LessonSourceError e, int line) {
        why = {e, line};
        return false;
    };
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trim_line(text.substr(0, end));
        // The first language mark starts the commentary, which runs to the end.
        if (line.starts_with('[')) {
            src.commentary = parse_commentary(text);
            break;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line_number;
        if (line.empty() || line.front() == '#') continue;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            return fail(LessonSourceError::unknown_line, line_number);
        const std::string_view key = trim_line(line.substr(0, colon));
        const std::string_view value = trim_line(line.substr(colon + 1));
        if (key == "kind") {
            if (value == "lesson")
                src.kind = LessonKind::lesson;
            else if (value == "problem")
                src.kind = LessonKind::problem;
            else
                return fail(LessonSourceError::bad_kind, line_number);
        } else if (key == "goal") {
            if (value == "win")
                src.goal = LessonGoal::win;
            else if (value == "draw")
                src.goal = LessonGoal::draw;
            else
                return fail(LessonSourceError::bad_goal, line_number);
        } else if (key == "white") {
            src.white = value;
        } else if (key == "black") {
            src.black = value;
        } else if (key == "position") {
            std::string error;
            if (!parse_fen(value, src.start, error))
                return fail(LessonSourceError::bad_position, line_number);
            has_position = true;
        } else if (key == "moves") {
            if (!parse_moves(value, src.moves))
                return fail(LessonSourceError::bad_move, line_number);
        } else if (key == "show") {
            const int n =
                value.size() <= 3 && !value.empty() ? std::atoi(std::string(value).c_str()) : -1;
            if (n < 0 || (n == 0 && value != "0"))
                return fail(LessonSourceError::bad_show, line_number);
            src.show = n;
        } else {
            return fail(LessonSourceError::unknown_line, line_number);
        }
    }
    if (!has_position) return fail(LessonSourceError::bad_position, 0);
    if ((src.kind == LessonKind::problem) != (src.goal != LessonGoal::none))
        return fail(LessonSourceError::bad_goal, 0);
    if (src.show > static_cast<int>(src.moves.size())) return fail(LessonSourceError::bad_show, 0);
    for (int l : {0, 1}) {  // French and English
        if (src.commentary.text[l].empty()) return fail(LessonSourceError::missing_text, 0);
        if (src.kind == LessonKind::problem && src.commentary.solution[l].empty())
            return fail(LessonSourceError::missing_solution, 0);
    }
    out = std::move(src);
    why = {};
    return true;
}

bool load_lesson_source(const LessonSource& src, TextProblem& why) {
    TextGame tg;
    tg.pdn = true;  // a move that is not legal refuses the whole lesson
    tg.has_fen = true;
    tg.start = src.start;
    tg.white = src.white;
    tg.black = src.black;
    for (size_t i = 0; i < src.moves.size(); ++i) {
        const LessonMove& m = src.moves[i];
        tg.plies.emplace_back(m.from, m.to);
        WrittenPly w;
        w.number = static_cast<int>(i) + 1;
        w.text = std::string(label(m.from)) + (m.capture ? "x" : "-") + label(m.to);
        w.squares = {m.from, m.to};
        tg.written.push_back(std::move(w));
    }
    if (src.moves.size() > static_cast<size_t>(MAX_IMPORT_PLIES)) {
        why.error = TextError::illegal_move;
        return false;
    }
    if (!load_text_game(tg, 0, why)) return false;
    if (game.last_ply != static_cast<int>(src.moves.size())) {
        why.error = TextError::illegal_move;
        return false;
    }
    game.current_ply = static_cast<uint8_t>(src.show);
    game.side_to_move = static_cast<uint8_t>((src.start.side_to_move + src.show) % 2);
    load_ply();
    std::memcpy(shown_board, board, sizeof board);
    return true;
}

std::string commentary_text(const LessonSource& src) {
    Commentary c = src.commentary;
    c.goal = src.goal;
    return write_commentary(c);
}

}  // namespace qv
