// The players table ("joueurs.dat" names, "points.dat" ratings, line 0 the computer),
// the rated match's state and the rating update.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr const char* COMPUTER_NAME = "Quorvel";
inline constexpr const char* SECOND_COMPUTER_NAME = "Selbrun";
inline constexpr const char* UNKNOWN_NAME = "Inconnu";
inline constexpr int COMPUTER_RATING = 2050;
inline constexpr int UNKNOWN_RATING = 1500;
inline constexpr int NEW_PLAYER_RATING = 1800;  // the capital ticked first for a new player
// Players files larger than this are refused (a table of names, not a data dump).
inline constexpr std::uintmax_t MAX_PLAYERS_FILE = 1 << 20;

struct PlayersTable {
    std::vector<std::string> names;    // joueurs.dat lines
    std::vector<std::string> ratings;  // points.dat lines, as text
};

// The rated match (process-wide).
struct MatchState {
    int32_t white_player_index = 0;
    int32_t black_player_index = 0;
    int32_t white_rating = 0;
    int32_t black_rating = 0;
};
extern MatchState match;

// A rating line as a number: a plain conversion, 0 when it is not a number.
int rating_value(std::string_view line);

// The table from the texts of both files (a missing file reads as an empty text): line 0
// is always the computer, the ratings are cut or filled (1500) to the names' count.
PlayersTable players_from_text(std::string_view names, std::string_view ratings);
// Reads both files from `dir`, first completing a change to both that a kill interrupted.
// A missing names file gives line 0 alone; a ratings file
// shorter than the names gets 1500 for the missing lines, a longer one is cut; line 0 is
// always the computer. False (table unchanged) when a file exists but cannot be read or is
// too large.
bool read_players(const std::filesystem::path& dir, PlayersTable& table);
// Writes both files (CR LF lines) as one change: a kill at any moment leaves the old pair
// or, once read_players has run, the new one; never names beside another table's ratings.
bool write_players(const std::filesystem::path& dir, const PlayersTable& table);
// Writes the ratings file alone (the names are unchanged).
bool write_ratings(const std::filesystem::path& dir, const PlayersTable& table);

// New player: name cut to 19 bytes, rating line "%4d". False when the name is empty.
bool add_player(PlayersTable& table, std::string_view name, int capital);
// Deletes line i with its rating. False (unchanged) for line 0 or no such line.
bool delete_player(PlayersTable& table, int line);
// "Ramener Quorvel à 2050".
void reset_computer_rating(PlayersTable& table);

// The person's line for a rated match: the selected line when it holds that name, else the
// first line after the computer's with that name, else a new line appended for it (1800,
// or 1500 for "Inconnu"). Never 0, the computer's own line: -1 for an empty name or the
// computer's.
int person_line(PlayersTable& table, std::string_view person, int selected_line);

// A player's rating for a match: 1500 for "Inconnu", else the rating of `line`.
int match_rating(const PlayersTable& table, int line, std::string_view name);

struct RatingUpdate {
    bool applied = false;  // false when a rating is 0 or below: nothing changes
    int32_t white = 0;
    int32_t black = 0;
};
// New ratings after result WHITE_WON, BLACK_WON or DRAWN, in integer steps.
RatingUpdate update_ratings(int32_t white_rating, int32_t black_rating, int result);

}  // namespace qv
