// The opening lists: lines of moves from the start position, one list per colour,
// consulted by the driver at the start of its turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_state.h"

namespace qv {

struct BookCandidate {
    uint8_t from = 0;
    uint8_t to = 0;
};

struct BookState {
    std::vector<std::string> lists[2];  // [WHITE] "ouvert_b.ouv", [BLACK] "ouvert_n.ouv"; sorted
    BookCandidate book_candidates[20] = {};
    int candidate_count = 0;
};
extern BookState book;

inline constexpr int MAX_CANDIDATES = 20;
inline constexpr int MAX_POOL = 14;

// List files larger than this are refused (a few thousand openings fill a few hundred KB).
inline constexpr size_t MAX_BOOK_FILE = 4 << 20;

// The non-empty lines of a list file's text (CR LF, LF or CR breaks), sorted.
std::vector<std::string> book_lines_of(std::string_view text);
// The lines of a list file, sorted; false (and `out` untouched) when it cannot be opened
// or is larger than MAX_BOOK_FILE.
bool read_book_lines(const std::string& file, std::vector<std::string>& out);
// Reads one list file (lines sorted as the list windows keep them). A missing file gives
// an empty list and a line on standard error; returns false then.
bool load_book_list(int side, const std::string& file);
// The next move of a list line from `i` on: notation numbers `from`, "-" or "x", `to`
// ("4- 7" is 4-7). False at the end of the line or on a bad move.
bool read_move(const std::string& s, size_t& i, int& from, int& to);

// Both active lists from the program's directory.
void load_book_lists();
// Writes a list (CR LF lines) through a temporary file and a rename.
bool save_book_list(int side, const std::string& file);

// Whether the lists are consulted at game ply g (both sides' men counted on board).
bool book_window(int game_ply, bool twelve_men_each);

// Candidates for the side to move from the lines that follow the game so far.
void find_book_moves(int side, const SearchInputs& in);

// The book move chosen among the root list's moves (move_lists[1], n moves), or -1.
int pick_book_move(int side, const SearchInputs& in, int n);

// The generator behind the random choice; seeded once at start-up.
void seed_book_random(uint32_t seed);

}  // namespace qv
