// Shared by the game and file tests: a fresh game and moves played by their text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/movegen.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv::test {

// A game between two people from the start position at time t.
inline void fresh_game(int32_t t = 1000) {
    game = GameState{};
    clocks = ClockState{};
    game.vs_computer = 0;
    remplir(t);
    start_play(t);
    game.white_name = "Blanc";
    game.black_name = "Noir";
    store_ply();
}

// The legal move of the side to move written `text` ("23-19", "19x10"); fails the test if
// there is none.
inline Move find_move(std::string_view text) {
    const int from = square_of_label_text(std::string(text.substr(0, 2)).c_str());
    const int to = square_of_label_text(std::string(text.substr(3, 2)).c_str());
    const int n = legal_moves(game.side_to_move);
    for (int i = 0; i < n; ++i)
        if (move_lists[1][i].from == from && move_lists[1][i].to == to) return move_lists[1][i];
    ADD_FAILURE() << "no legal move " << text;
    return Move{};
}

// The person (two-people game) plays `text` at time t.
inline TurnEnd play(std::string_view text, int32_t t = 1000) {
    const Move m = find_move(text);
    play_move(m);
    return after_person_move(m.from, m.to, m.captures, t);
}

// A deterministic game of `plies` legal plies chosen by a small generator (stops early
// when a side cannot move).
inline int play_pseudo_random(int plies, uint32_t seed) {
    int played = 0;
    for (; played < plies; ++played) {
        const int n = legal_moves(game.side_to_move);
        if (n == 0) break;
        seed = seed * 1103515245u + 12345u;
        const Move m = move_lists[1][(seed >> 16) % n];
        play_move(m);
        after_person_move(m.from, m.to, m.captures, 1000 + played);
    }
    return played;
}

}  // namespace qv::test
