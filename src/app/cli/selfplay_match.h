// selfplay: a match between two computer players. The match and its games (this file's
// types), its options, the pool of worker processes and the score are kept apart.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/cli/search_common.h"
#include "app/cli/selfplay_openings.h"
#include "eval/params.h"
#include "game/match_stats.h"

namespace qv::cli {

constexpr int MAX_GAME_PLIES = 252;
constexpr long MAX_CONCURRENCY = 64;

struct Player {
    Strength strength;
    std::string params;
    ParameterState parameters;  // the set this player evaluates with
};

enum class EndReason : int { no_move, ply_limit, draw_rule, bad_opening };

struct GameResult {
    long index = 0;
    int winner = -1;  // WHITE, BLACK, or -1 for a draw
    int plies = 0;
    EndReason reason = EndReason::no_move;
    std::string fen;    // the start, when it is not the usual one
    std::string moves;  // PDN move text
};

struct Match {
    long games = 0;
    long concurrency = 1;
    Player players[2];
    std::string openings_file;
    std::string pdn;
    bool fens = false;
    std::vector<Opening> openings;  // empty: the start position and the library
    double time_scale = 1;          // real seconds per second of the levels' clocks
    bool cpu_time = false;          // clocks count processor time
    // The computer's draw rule (the piece total unchanged for 60 plies) applies from this
    // ply on; the game applies it beyond ply 250, a match may adjudicate earlier.
    int draw_rule_from = 251;
};

// The command's options into `match`; false (with a line on standard error) when refused.
bool parse_selfplay(int argc, char** argv, Match& match);

// Game `index` of the match: the first player has White in even games.
GameResult play_game(const Match& match, long index, CliHost& cli_host);

using GameDone = std::function<void(const GameResult&)>;
// Plays the games of worker `w` of `n` (index w, w + n, ...) in this process.
void play_share(const Match& match, long w, long n, const GameDone& done);
// Runs the games in `match.concurrency` child processes, handing each finished game to
// `done` here; false when a worker failed or a game is missing.
bool play_in_processes(const Match& match, const GameDone& done);

// Counts a finished game and prints its line with the running score.
void record_game(const Match& match, const GameResult& r, MatchScore& score);
// The match's games in game order, as a PDN file.
bool write_match_pdn(const Match& match, const std::vector<GameResult>& results);
// "+12.3", "-inf".
std::string elo_text(double elo);

}  // namespace qv::cli
