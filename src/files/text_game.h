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

// One ply as the text writes it: its move number, the move's text and every square
// written in it (from, then each landing square given, the last one being `to`).
struct WrittenPly {
    int number = 0;
    std::string text;
    std::vector<uint8_t> squares;
};

// One game read from text: names, plies as internal squares, and its start position.
struct TextGame {
    std::string white;
    std::string black;
    std::vector<std::pair<uint8_t, uint8_t>> plies;  // (from, to)
    std::vector<WrittenPly> written;                 // the same plies as written
    bool pdn = false;      // a tagged game: a move that is not legal stops the import
    bool has_fen = false;  // PDN FEN tag
    Position start;
    int result = 3;  // as written: 2 White won, 1 draw, 0 Black won, 3 none
};

// Why a game of a text cannot be imported; the window and the CLI word it.
enum class TextError : uint8_t {
    none,
    no_game,          // the text holds no game
    no_such_game,     // `game` is not one of 0 .. games - 1
    bad_fen,          // `text`: the FEN tag's value
    other_game_type,  // `text`: the GameType tag's value (not Italian draughts)
    unreadable_move,  // `text`: what stands where a move was expected
    illegal_move,     // `text`: a move that is no legal move of the side to move
};
struct TextProblem {
    TextError error = TextError::none;
    int game = 0;         // the game concerned, numbered from 0 as the choice list shows
    int games = 0;        // how many games the text holds
    int move_number = 0;  // as written before the move (unreadable and illegal moves)
    std::string text;
};

struct TextGameNames {
    std::string white;
    std::string black;
};

// The games of a text, in order (at most the first 64000 bytes are looked at).
std::vector<TextGameNames> scan_text_games(std::string_view text);
// The choice list (ListBox16): "%2d:" then both names in 20-character fields.
std::vector<std::string> choice_lines(const std::vector<TextGameNames>& games);
// Game g (from 0) of a text. False with the reason when there is no such game, its FEN
// or GameType tag does not fit, or (PDN) a move cannot be read.
bool parse_text_game(std::string_view text, int g, TextGame& out, TextProblem& why);

// Internal square of a two-character square text: "01".."32" (" 9" is 9) by notation,
// or a capital letter and a digit ("B8" is square 1). 0 when neither.
int parse_square(std::string_view two);
// Letter-and-digit name of internal square s ("B8" for 1).
const char* letter_square(int s);

// Replaces the game in hand with `tg`: start position (or its FEN), names, then each ply
// that matches a legal move of the side to move is played and recorded. In the program's
// own text games a ply that matches none is skipped; in PDN it is refused with
// `illegal_move` before anything changes, and the game in hand stays as it was.
bool load_text_game(const TextGame& tg, int32_t t, TextProblem& why);

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

// "Imprimer": the names, every move of the game six pairs to a row (the last half move
// too), and the start position when the game does not begin from the usual one.
struct Printout {
    std::string heading;            // "White-Black"
    std::vector<std::string> rows;  // the move list's lines, six to a row
    bool diagram = false;           // a position set up: its picture is printed first
    uint8_t start[33] = {};         // the record's ply 0
    int first_side = 0;             // who moves first from it
};
Printout printout();
// The game's name for its print job and PDF file: "White-Black", without the characters a
// file name cannot hold.
std::string game_document_name();

// "Editer coups": the calculation list's lines into the file, replacing it.
bool write_bestmove(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace qv
