// Games as text: the program's own text files (names, "Quorvel144", move pairs), files of
// several games in numeric or letter-and-digit notation, and PDN files (first character
// "["), with standard PDN export of the game in hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/fen.h"

namespace qv {

inline constexpr size_t TEXT_READ_LIMIT = 64000;  // bytes of a text file considered
inline constexpr int MAX_IMPORT_PLIES = 250;

// One game read from text: names, plies as internal squares, and its start position.
struct TextGame {
    std::string white;
    std::string black;
    std::vector<std::pair<uint8_t, uint8_t>> plies;  // (from, to)
    bool has_fen = false;                            // PDN FEN tag
    Position start;
    int result = 3;  // as written: 2 White won, 1 draw, 0 Black won, 3 none
};

struct TextGameNames {
    std::string white;
    std::string black;
};

// The games of a text, in order (at most the first 64000 bytes are looked at).
std::vector<TextGameNames> scan_text_games(std::string_view text);
// The choice list (ListBox16): "%2d:" then both names in 20-character fields.
std::vector<std::string> choice_lines(const std::vector<TextGameNames>& games);
// Game g (from 0) of a text. False with a reason when there is no such game or its FEN
// tag is not a position.
bool parse_text_game(std::string_view text, int g, TextGame& out, std::string& why);

// Internal square of a two-character square text: "01".."32" (" 9" is 9) by notation,
// or a capital letter and a digit ("B8" is square 1). 0 when neither.
int parse_square(std::string_view two);
// Letter-and-digit name of internal square s ("B8" for 1).
const char* letter_square(int s);

// Replaces the game in hand with `tg`: start position (or its FEN), names, then each ply
// that matches a legal move of the side to move is played and recorded; others are skipped.
void load_text_game(const TextGame& tg, int32_t t);

// The first 64000 bytes of a text file; the error box and false when it cannot be read.
bool read_text_file(const std::filesystem::path& path, std::string& text);

// "Créer un fichier texte": header with the result, "Quorvel144", the complete move pairs
// up to the position shown, four to a line (CR LF).
std::string text_game_bytes();
bool write_text_game(const std::filesystem::path& path);

// Words written after the move of ply p (comments, variations); `half_move` counts the
// half moves from White's first, so White made the move when it is even.
using PdnAnnotation = std::function<std::vector<std::string>(int p, int half_move)>;
// Standard PDN of the whole game in hand. `date` is "YYYY.MM.DD" (empty: today).
std::string pdn_bytes(std::string_view date = {}, const PdnAnnotation& annotate = {});
bool write_pdn(const std::filesystem::path& path, std::string_view date = {});

// "Editer coups": the calculation list's lines into the file, replacing it.
bool write_bestmove(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace qv
