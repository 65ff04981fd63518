#include "tune_games.h"

#include <ostream>
#include <random>
#include <vector>

#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "search/driver.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace qv::tune {
namespace {

constexpr int MAX_GAME_PLIES = 250;
constexpr int QUIET_LIMIT = 60;  // plies without a capture: drawn

struct Game {
    std::vector<std::string> positions;
    double result = 0.5;  // White's view
};

void play(const Move& m, int& side, SearchInputs& in) {
    play_move(m);
    in.line[in.game_ply + 1] = {m.from, m.to, m.captures};
    ++in.game_ply;
    side = 1 - side;
}

// A position is kept when the side to move has no capture: its static value then means
// what it says, without a quiescence search.
bool quiet(int side) {
    return legal_moves(side) > 0 && move_lists[1][0].captures == 0;
}

Game play_game(const GameSettings& s, std::mt19937& rng) {
    static SearchInputs in;
    in = SearchInputs{};
    in.fixed_depth = s.depth;
    Game game;
    set_start_position();
    clear_table();
    search.last_score = 0;
    int side = WHITE;
    const int opening =
        std::uniform_int_distribution<int>(s.random_plies_min, s.random_plies_max)(rng);
    for (int k = 0; k < opening; ++k) {
        const int n = legal_moves(side);
        if (n == 0) return game;  // a random opening that loses at once: not worth keeping
        play(move_lists[1][std::uniform_int_distribution<int>(0, n - 1)(rng)], side, in);
    }
    int quiet_plies = 0;
    while (in.game_ply < MAX_GAME_PLIES && quiet_plies < QUIET_LIMIT) {
        if (in.game_ply >= s.skip_plies && quiet(side)) {
            if (s.openings) {
                const PieceTotals t = count_pieces();
                if (t.white == t.black) game.positions.push_back(write_fen(board, side));
                return game;
            }
            game.positions.push_back(write_fen(board, side));
        }
        const uint8_t r = choose_move(side, in);
        if (r == NO_MOVE) {
            game.result = side == WHITE ? 0.0 : 1.0;
            return game;
        }
        const Move m = move_lists[1][r == SINGLE_MOVE ? 0 : r];
        quiet_plies = m.captures > 0 ? 0 : quiet_plies + 1;
        play(m, side, in);
    }
    return game;  // drawn by length
}

}  // namespace

long write_training_positions(const GameSettings& settings, std::ostream& out, std::ostream& log) {
    std::mt19937 rng(settings.seed);
    search.library_enabled = 0;  // the random openings give the variety
    long kept = 0;
    int score[3] = {};  // White wins, draws, Black wins
    for (long g = 0; g < settings.games; ++g) {
        const Game game = play_game(settings, rng);
        ++score[game.result == 1.0 ? 0 : game.result == 0.5 ? 1 : 2];
        const char* result = game.result == 1.0 ? "1" : game.result == 0.5 ? "0.5" : "0";
        for (const std::string& fen : game.positions) {
            out << fen;
            if (!settings.openings) out << ' ' << result;
            out << '\n';
        }
        kept += static_cast<long>(game.positions.size());
        if ((g + 1) % 100 == 0 || g + 1 == settings.games)
            log << "games " << g + 1 << ": +" << score[0] << " =" << score[1] << " -" << score[2]
                << ", positions " << kept << std::endl;
    }
    return kept;
}

}  // namespace qv::tune
