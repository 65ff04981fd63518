// The game in hand: one record entry per ply, the two ply counters and the move list.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_codes.h"

namespace qv {

// One ply of the game record. Also the layout of game files, byte for byte.
struct PlyRecord {
    uint8_t squares[33];  // [0]: off-board mark (the ply count while a file is written)
    uint8_t capture_count;
    uint8_t from;
    uint8_t to;
    int32_t white_clock;
    int32_t black_clock;
    char white_name[20];  // NUL-terminated
    char black_name[20];
    uint8_t computer_colour;  // 1: the computer plays Black
    uint8_t reserved[3];
};
static_assert(sizeof(PlyRecord) == 88);
static_assert(offsetof(PlyRecord, squares) == 0);
static_assert(offsetof(PlyRecord, capture_count) == 33);
static_assert(offsetof(PlyRecord, from) == 34);
static_assert(offsetof(PlyRecord, to) == 35);
static_assert(offsetof(PlyRecord, white_clock) == 36);
static_assert(offsetof(PlyRecord, black_clock) == 40);
static_assert(offsetof(PlyRecord, white_name) == 44);
static_assert(offsetof(PlyRecord, black_name) == 64);
static_assert(offsetof(PlyRecord, computer_colour) == 84);
static_assert(offsetof(PlyRecord, reserved) == 85);
static_assert(std::endian::native == std::endian::little, "game files are little-endian images");

inline constexpr int RECORD_SIZE = 255;
// Entries 253 and 254 carry the settings in game files: a game stops at ply 252.
inline constexpr int MAX_RECORDED_PLY = 252;
inline constexpr int NAME_BYTES = 19;  // a name field holds 19 bytes and its NUL

// Process-wide state of the game in hand (game session, record and move list).
struct GameState {
    PlyRecord game_record[RECORD_SIZE] = {};
    uint8_t current_ply = 0;
    int32_t last_ply = 0;
    uint8_t side_to_move = 0;
    uint8_t side_after_last_move = 0;

    // The move just played (stored with the next entry).
    uint8_t move_from = 0;
    uint8_t move_to = 0;
    uint8_t move_captures = 0;

    std::string white_name = "Inconnu";
    std::string black_name = "Quorvel";
    uint8_t computer_colour = 1;  // 1: the computer plays Black

    // ListBox1: one line per move pair, and the selected line (-1 none).
    std::vector<std::string> list_lines;
    int list_selection = -1;

    // Session (turn flow) state.
    uint8_t vs_computer = 1;
    uint8_t computer_to_move = 0;
    uint8_t computer_requested = 0;
    uint8_t setup_mode = 0;
    uint8_t game_state = FREE_GAME;
    uint8_t game_result = NO_RESULT;
    uint8_t legal_count = 0;
    uint8_t skip_ponder = 1;
    uint8_t last_from = 0, last_to = 0;
    int32_t totals_by_ply[RECORD_SIZE] = {};
    bool computer_vs_computer = false;  // "Ordinateur contre ordinateur" ticked
    bool stop_on_click = true;          // "Arret réflexion par clic souris" ticked
    bool learning_session = false;
    // Raised by the commands that must stop a running search (and void its result); the
    // window hands them on to the search's own flags and lowers them.
    bool stop_requested = false;
    bool search_abandoned = false;

    uint8_t language = 0;  // 0 French, 1 English, 2 Dutch, 3 Portuguese, 4 Spanish, 5 Italian
    int16_t table_size_setting = 100;  // transposition-table size setting saved with games
};
extern GameState game;

// Cuts a name to what a record field holds (19 bytes, at a character boundary) and drops
// control characters, which would break the one-name-a-line players file.
std::string fit_name(std::string_view name);
// A record name field as text (stops at the NUL or after 20 bytes).
std::string name_field(const char (&field)[20]);

// Copies the game state into entry current_ply (squares 1..32, the move just played,
// clocks, names, computer colour) and back (squares, clocks, colour, names).
void store_ply();
void load_ply();

enum class RecordOutcome {
    recorded,
    full,     // recorded, and the record is now full: the game ends as a draw
    refused,  // the record was already full: nothing recorded
};
// After a move has been made on board (side_to_move toggled, side_after_last_move set):
// cuts the list when play continues from an earlier ply, appends the entry, writes the line.
RecordOutcome record_move(int from, int to, int captures);
// The list line of the move just played at current_ply.
void write_line();
// The list from the record: one line per pair, a last half line when last_ply is odd.
void rebuild_list();

// The side to move at ply 0: the colour of the piece that made the first recorded move,
// or, in a game without moves, the side to move (sides alternate).
int opening_side();

// The moves stored in the record: entry p's move text, e.g. "23-19".
std::string ply_move_text(int p);

}  // namespace qv
