// Reading games from text: finding the games of a file, their names and their moves.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/board.h"
#include "board/file_io.h"
#include "board/host.h"
#include "board/movegen.h"
#include "files/text_game.h"
#include "game/game_record.h"

namespace qv {

namespace {

constexpr const char* LETTER_SQUARES[33] = {"",   "B8", "D8", "F8", "H8", "A7", "C7", "E7", "G7",
                                            "B6", "D6", "F6", "H6", "A5", "C5", "E5", "G5", "B4",
                                            "D4", "F4", "H4", "A3", "C3", "E3", "G3", "B2", "D2",
                                            "F2", "H2", "A1", "C1", "E1", "G1"};

bool is_blank_line(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

std::string trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Tag names are compared without regard to case ("FEN", "Fen", "fen").
bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The text without a leading byte-order mark.
std::string_view without_bom(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

// A tagged file: its first character, after a byte-order mark and blanks, is "[".
bool is_tagged(std::string_view text) {
    for (char c : text) {
        if (is_space(c)) continue;
        return c == '[';
    }
    return false;
}

// One game's text: its header line (or PDN tags) and the text holding its moves.
struct GameText {
    bool pdn = false;
    std::string header;
    std::vector<std::pair<std::string, std::string>> tags;
    std::string moves;
};

// Header "White-Black": each name up to 20 characters; Black's ends at "-", "1.", two
// blanks (before a result) or the end of the line. Returns where the moves may begin.
size_t read_names(std::string_view h, std::string& white, std::string& black) {
    size_t i = 0;
    while (i < h.size() && h[i] != '-' && i < 20) ++i;
    white = trim(h.substr(0, i));
    while (i < h.size() && h[i] != '-') ++i;
    if (i < h.size()) ++i;
    const size_t start = i;
    while (i < h.size() && i - start < 20 && h[i] != '-' &&
           !(h[i] == '1' && i + 1 < h.size() && h[i + 1] == '.') &&
           !(h[i] == ' ' && i + 1 < h.size() && h[i + 1] == ' '))
        ++i;
    black = trim(h.substr(start, i - start));
    size_t moves = h.find("1.", i);
    return moves == std::string_view::npos ? h.size() : moves;
}

// [Name "Value"]
bool read_tag(std::string_view line, std::string& name, std::string& value) {
    if (line.empty() || line[0] != '[') return false;
    size_t i = 1;
    while (i < line.size() && line[i] != ' ' && line[i] != '"' && line[i] != ']') ++i;
    name.assign(line.substr(1, i - 1));
    const size_t open = line.find('"', i);
    if (open == std::string_view::npos) return true;
    const size_t close = line.find('"', open + 1);
    value.assign(line.substr(
        open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
    return true;
}

std::vector<GameText> split_games(std::string_view text) {
    if (text.size() > TEXT_READ_LIMIT) text = text.substr(0, TEXT_READ_LIMIT);
    text = without_bom(text);
    const std::vector<std::string> lines = split_lines(text);
    std::vector<GameText> games;
    if (is_tagged(text)) {
        // A game starts at a tag line that follows move text (or the start).
        bool in_tags = false;
        for (const std::string& l : lines) {
            const std::string line = trim(l);
            if (!line.empty() && line[0] == '[') {
                if (!in_tags) games.emplace_back().pdn = true;
                in_tags = true;
                std::string name, value;
                if (read_tag(line, name, value)) games.back().tags.emplace_back(name, value);
            } else if (!line.empty() && !games.empty()) {
                in_tags = false;
                games.back().moves += line;
                games.back().moves += '\n';
            }
        }
        return games;
    }
    bool in_game = false;
    for (const std::string& line : lines) {
        if (is_blank_line(line)) {
            in_game = false;
            continue;
        }
        if (!in_game) {
            // A game that would start with two blanks ends the scan.
            if (line.size() >= 2 && line[0] == ' ' && line[1] == ' ') break;
            in_game = true;
            GameText& g = games.emplace_back();
            g.header = line;
            std::string w, b;
            const size_t at = read_names(line, w, b);
            g.moves = line.substr(at) + '\n';
            continue;
        }
        games.back().moves += line;
        games.back().moves += '\n';
    }
    return games;
}

TextGameNames names_of(const GameText& g) {
    TextGameNames n;
    if (g.pdn) {
        for (const auto& [name, value] : g.tags) {
            if (same_name(name, "White")) n.white = fit_name(value);
            if (same_name(name, "Black")) n.black = fit_name(value);
        }
    } else {
        read_names(g.header, n.white, n.black);
        n.white = fit_name(n.white);
        n.black = fit_name(n.black);
    }
    return n;
}

// The result written in the header ("  2-0", "  1-1", "  0-2") or the PDN Result tag.
int result_of(const GameText& g) {
    if (g.pdn) {
        for (const auto& [name, value] : g.tags) {
            if (!same_name(name, "Result")) continue;
            if (value == "1-0" || value == "2-0") return 2;
            if (value == "0-1" || value == "0-2") return 0;
            if (value == "1/2-1/2" || value == "1-1") return 1;
        }
        return 3;
    }
    const std::string_view h = g.header;
    for (const auto& [text, result] : {std::pair{"  2-0", 2}, {"  1-1", 1}, {"  0-2", 0}})
        if (h.find(text) != std::string_view::npos) return result;
    return 3;
}

// A square at text[i]: one or two digits (a notation number) or a letter and a digit.
// Sets the internal square and advances i; 0 when there is none.
int read_square(std::string_view t, size_t& i) {
    if (i < t.size() && is_digit(t[i])) {
        int n = t[i] - '0';
        size_t j = i + 1;
        if (j < t.size() && is_digit(t[j])) n = n * 10 + (t[j++] - '0');
        if (j < t.size() && is_digit(t[j])) return 0;
        const int s = square_of_label(n);
        if (s) i = j;
        return s;
    }
    if (i + 1 < t.size()) {
        const int s = parse_square(t.substr(i, 2));
        if (s) i += 2;
        return s;
    }
    return 0;
}

// A move: square, "-" or "x", square, further "x" squares (only the last counts).
bool read_move(std::string_view t, size_t& i, uint8_t& from, uint8_t& to) {
    size_t j = i;
    const int a = read_square(t, j);
    if (!a || j >= t.size() || (t[j] != '-' && t[j] != 'x' && t[j] != 'X')) return false;
    ++j;
    int b = read_square(t, j);
    if (!b) return false;
    while (j + 1 < t.size() && (t[j] == 'x' || t[j] == 'X')) {
        size_t k = j + 1;
        const int c = read_square(t, k);
        if (!c) break;
        b = c;
        j = k;
    }
    if (j < t.size() && std::isalnum(static_cast<unsigned char>(t[j]))) return false;
    from = static_cast<uint8_t>(a);
    to = static_cast<uint8_t>(b);
    i = j;
    return true;
}

// Past the comment opening at t[i]: "{ ... }", or "; ..." to the end of the line.
size_t after_comment(std::string_view t, size_t i) {
    const size_t end = t.find(t[i] == '{' ? '}' : '\n', i + 1);
    return end == std::string_view::npos ? t.size() : end + 1;
}

// Past the variation opening at t[i], with the variations and comments inside it; PDN
// (`line_comments`) also has comments from ';' to the end of the line.
size_t after_variation(std::string_view t, size_t i, bool line_comments) {
    int depth = 0;
    while (i < t.size()) {
        const char c = t[i];
        if (c == '{' || (line_comments && c == ';')) {
            i = after_comment(t, i);
            continue;
        }
        ++i;
        if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            break;
        }
    }
    return i;
}

// Moves follow the first move number ("1."); comments in braces and variations in
// parentheses are skipped.
void read_moves(std::string_view t, std::vector<std::pair<uint8_t, uint8_t>>& plies) {
    bool numbered = false;
    size_t i = 0;
    while (i < t.size() && static_cast<int>(plies.size()) < MAX_IMPORT_PLIES) {
        const char c = t[i];
        if (c == '{') {
            i = after_comment(t, i);
            continue;
        }
        if (c == '(') {
            i = after_variation(t, i, false);
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n') {
            ++i;
            continue;
        }
        const bool word_start = i == 0 || !std::isalnum(static_cast<unsigned char>(t[i - 1]));
        if (word_start && is_digit(c)) {
            size_t j = i;
            while (j < t.size() && is_digit(t[j])) ++j;
            if (j < t.size() && t[j] == '.') {
                while (j < t.size() && t[j] == '.') ++j;
                numbered = true;
                i = j;
                continue;
            }
        }
        uint8_t from = 0, to = 0;
        if (numbered && word_start && read_move(t, i, from, to)) {
            plies.emplace_back(from, to);
            continue;
        }
        // Not a move: skip the rest of this word.
        while (i < t.size() && t[i] != ' ' && t[i] != '\t' && t[i] != '\n' && t[i] != '{' &&
               t[i] != '(')
            ++i;
    }
}

// Characters that end a word of PDN movetext (a comment, a variation or a NAG begins). A
// NUL byte is none of them: strchr would find the string's own terminator.
bool ends_word(char c) {
    return c != '\0' && std::strchr("{;()$", c) != nullptr;
}

// The four result tokens of PDN, and the program's own "2-0", "1-1", "0-2".
bool is_result(std::string_view w) {
    for (const char* r : {"1-0", "0-1", "1/2-1/2", "*", "2-0", "1-1", "0-2"})
        if (w == r) return true;
    return false;
}

// A PDN move: two squares or more joined by "-" or "x" ("27x18", "27x20x11", "b6-a5");
// every square written goes into `squares`.
bool read_pdn_move(std::string_view w, std::vector<uint8_t>& squares) {
    std::string upper(w);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string_view t = upper;
    size_t i = 0;
    for (;;) {
        const int s = read_square(t, i);
        if (!s) return false;
        squares.push_back(static_cast<uint8_t>(s));
        if (i == t.size()) break;
        if (t[i] != '-' && t[i] != 'X') return false;
        ++i;
    }
    return squares.size() >= 2 && squares.size() <= MAX_CAPTURE + 1u;
}

// The main line of PDN movetext: comments ("{...}", ";" to the end of the line),
// variations (nested), NAGs ("$1", "!", "?", "!?"), move numbers ("4.", Black's "4...")
// are passed over; the result token ends the game. False at a word that is no move.
bool read_pdn_moves(std::string_view t, TextGame& tg, TextProblem& why) {
    int number = 0;
    size_t i = 0;
    while (i < t.size() && tg.plies.size() < size_t(MAX_IMPORT_PLIES)) {
        const char c = t[i];
        if (is_space(c) || c == ')') {
            ++i;
        } else if (c == '{' || c == ';') {
            i = after_comment(t, i);
        } else if (c == '(') {
            i = after_variation(t, i, true);
        } else if (c == '$') {
            ++i;
            while (i < t.size() && is_digit(t[i])) ++i;
        } else {
            size_t j = i;
            while (j < t.size() && !is_space(t[j]) && !ends_word(t[j])) ++j;
            std::string_view w = t.substr(i, j - i);
            i = j;
            while (!w.empty() && (w.back() == '!' || w.back() == '?')) w.remove_suffix(1);
            if (w.empty()) continue;
            if (is_result(w)) break;
            size_t k = 0;
            while (k < w.size() && is_digit(w[k])) ++k;
            if (k > 0 && k < w.size() && w[k] == '.') {
                number = std::atoi(std::string(w.substr(0, std::min<size_t>(k, 6))).c_str());
                while (k < w.size() && w[k] == '.') ++k;
                w.remove_prefix(k);
                if (w.empty()) continue;
            } else if (w.find_first_not_of('.') == std::string_view::npos) {
                continue;  // "..." standing alone
            }
            WrittenPly ply;
            ply.number = number;
            ply.text = std::string(w.substr(0, 40));
            if (!read_pdn_move(w, ply.squares)) {
                why.error = TextError::unreadable_move;
                why.move_number = number;
                why.text = ply.text;
                return false;
            }
            tg.plies.emplace_back(ply.squares.front(), ply.squares.back());
            tg.written.push_back(std::move(ply));
        }
    }
    return true;
}

}  // namespace

int parse_square(std::string_view two) {
    if (two.size() < 2) return 0;
    const char a = two[0] == ' ' ? '0' : two[0];
    if (is_digit(a) && is_digit(two[1])) return square_of_label((a - '0') * 10 + (two[1] - '0'));
    for (int s = 1; s <= 32; ++s)
        if (LETTER_SQUARES[s][0] == two[0] && LETTER_SQUARES[s][1] == two[1]) return s;
    return 0;
}

const char* letter_square(int s) {
    return s >= 1 && s <= 32 ? LETTER_SQUARES[s] : "";
}

std::vector<TextGameNames> scan_text_games(std::string_view text) {
    std::vector<TextGameNames> out;
    for (const GameText& g : split_games(text)) out.push_back(names_of(g));
    return out;
}

std::vector<std::string> choice_lines(const std::vector<TextGameNames>& games) {
    std::vector<std::string> lines;
    char buf[64];
    for (size_t i = 0; i < games.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%2d:%-20.20s%-20.20s", static_cast<int>(i),
                      games[i].white.c_str(), games[i].black.c_str());
        lines.emplace_back(buf);
    }
    return lines;
}

bool parse_text_game(std::string_view text, int g, TextGame& out, TextProblem& why) {
    const std::vector<GameText> games = split_games(text);
    why = TextProblem{};
    why.game = g;
    why.games = static_cast<int>(games.size());
    if (g < 0 || g >= static_cast<int>(games.size())) {
        why.error = games.empty() ? TextError::no_game : TextError::no_such_game;
        return false;
    }
    const GameText& gt = games[g];
    TextGame tg;
    const TextGameNames n = names_of(gt);
    tg.white = n.white;
    tg.black = n.black;
    tg.result = result_of(gt);
    tg.pdn = gt.pdn;
    for (const auto& [name, value] : gt.tags) {
        if (same_name(name, "GameType")) {
            // "22" or its long form "22,W,8,8,N2,1": Italian draughts.
            const std::string type = trim(std::string_view(value).substr(0, value.find(',')));
            if (!type.empty() && type != "22") {
                why.error = TextError::other_game_type;
                why.text = value;
                return false;
            }
        }
        if (!same_name(name, "FEN")) continue;
        std::string error;
        if (!parse_fen(value, tg.start, error)) {
            why.error = TextError::bad_fen;
            why.text = value;
            return false;
        }
        tg.has_fen = true;
    }
    if (gt.pdn) {
        if (!read_pdn_moves(gt.moves, tg, why)) return false;
    } else {
        read_moves(gt.moves, tg.plies);
    }
    out = std::move(tg);
    return true;
}

bool read_text_file(const std::filesystem::path& path, std::string& text) {
    if (!read_file_prefix(path, TEXT_READ_LIMIT, text)) {
        host().show_error(Msg::CANNOT_OPEN_FILE);
        return false;
    }
    return true;
}

}  // namespace qv
