// Game files (".dam"): the game record byte for byte, then the current ply and the side
// to move; the level, language and table-size settings ride in entries 253 and 254.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_record.h"

namespace qv {

inline constexpr size_t GAME_FILE_SIZE = 22442;
inline constexpr size_t RECORD_BYTES = sizeof(PlyRecord) * RECORD_SIZE;  // 22440
static_assert(RECORD_BYTES == 22440);

// Settings offsets in the file.
inline constexpr size_t OFFSET_MINUTES = 22300;      // i32, entry 253 white clock
inline constexpr size_t OFFSET_TABLE_SIZE = 22304;   // i32, entry 253 black clock
inline constexpr size_t OFFSET_LANGUAGE = 22386;     // u8, entry 254 from
inline constexpr size_t OFFSET_LEVEL_INDEX = 22387;  // u8, entry 254 to
inline constexpr size_t OFFSET_TIME_BUDGET = 22388;  // i32, entry 254 white clock
inline constexpr size_t OFFSET_CLOCK_LIMIT = 22392;  // i32, entry 254 black clock
static_assert(OFFSET_MINUTES == 253 * sizeof(PlyRecord) + offsetof(PlyRecord, white_clock));
static_assert(OFFSET_TABLE_SIZE == 253 * sizeof(PlyRecord) + offsetof(PlyRecord, black_clock));
static_assert(OFFSET_LANGUAGE == 254 * sizeof(PlyRecord) + offsetof(PlyRecord, from));
static_assert(OFFSET_LEVEL_INDEX == 254 * sizeof(PlyRecord) + offsetof(PlyRecord, to));
static_assert(OFFSET_TIME_BUDGET == 254 * sizeof(PlyRecord) + offsetof(PlyRecord, white_clock));
static_assert(OFFSET_CLOCK_LIMIT == 254 * sizeof(PlyRecord) + offsetof(PlyRecord, black_clock));

inline constexpr const char* RESUME_FILE = "last32.dam";

// A game file's content, decoded and checked.
struct GameFileImage {
    PlyRecord record[RECORD_SIZE];
    uint8_t last_ply = 0;
    uint8_t current_ply = 0;
    uint8_t side_to_move = 0;
    int32_t minutes = 0;
    int32_t table_size = 0;
    uint8_t language = 0;
    uint8_t level_index = 0;
    int32_t time_budget = 0;
    int32_t clock_limit = 0;
};

// The file bytes of the game in hand: the settings are copied into entries 253 and 254
// (in memory too), byte 0 carries last_ply (in memory entry 0 keeps 10).
std::string game_file_bytes();
// Decodes file bytes. False, with a reason, when they cannot be a game: not 22442 bytes,
// a piece code above 4, more than 254 plies, the current ply beyond the last, a side to
// move other than 0 or 1, a move square above 32, a computer colour above 1.
bool decode_game_file(std::string_view bytes, GameFileImage& out, std::string& why);

// Writes the game in hand (through a temporary file). On failure the error box
// "Impossible d'ouvrir ce fichier" and false.
bool write_game_file(const std::filesystem::path& path);
// Reads a game file into the game in hand: record, counters, side to move, level
// (defaults 160/178, 3 minutes, level 5, language 1 when the pair is zero), language and
// table size. A file that cannot be read or is not a game: the error box, false, and the
// game in hand unchanged.
bool read_game_file(const std::filesystem::path& path);
// read_game_file for a game the user opens: the interface language and the table size
// in force stay, and a running search is asked to stop.
bool read_game_keeping_settings(const std::filesystem::path& path);
// The game in hand takes a decoded file's record, counters and settings.
void apply_game_image(const GameFileImage& img);

// The rest of opening a game once it has been read: list, position shown, names.
void after_game_read();
// "Ouvrir": the file's language and table size have no effect.
bool ouvre(const std::filesystem::path& path);
// The window's first activation: the level, time control, minutes and language saved in
// "last32.dam", without its game. False, changing nothing, when the file is missing or
// not a game file (a first run has none).
bool read_resume_settings(const std::filesystem::path& path);
// "last32.dam" at start-up or on a board change: the language stays, the table size read
// is applied (0 becomes 100).
bool resume_game(const std::filesystem::path& path);
// "Sauver": the position shown is saved with the minutes of the Nbminutes field.
bool save(const std::filesystem::path& path, std::string_view minutes_text);
// "Quitter": the game in hand into "last32.dam" under `dir`.
bool quitter(const std::filesystem::path& dir, std::string_view minutes_text);

}  // namespace qv
