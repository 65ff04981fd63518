// Replaying a game read from text through the legal-move generator.
#include <cstring>

#include "board/board.h"
#include "board/movegen.h"
#include "files/text_game.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv {

namespace {

// The index in the ply-1 list of the legal move that ply i stands for, -1 when none.
// A capture written with all its landing squares picks the path they give; otherwise
// (or when no path fits them) the first move with the same start and end squares.
int find_move(const TextGame& tg, size_t i, int n) {
    const auto [from, to] = tg.plies[i];
    const std::vector<uint8_t>* path = i < tg.written.size() ? &tg.written[i].squares : nullptr;
    const Move* list = move_lists[1];
    int first = -1;
    for (int k = 0; k < n; ++k) {
        const Move& m = list[k];
        if (m.from != from || m.to != to) continue;
        if (first < 0) first = k;
        if (!path || path->size() <= 2 || m.captures + 1u != path->size()) continue;
        uint8_t landing[MAX_CAPTURE + 1] = {};
        landing_squares(m, landing);
        bool same = true;
        for (int j = 1; j <= m.captures && same; ++j) same = landing[j] == (*path)[j];
        if (same) return k;
    }
    return first;
}

// Replays the plies on `board` alone (put back afterwards) and reports the first one that
// is no legal move of the side to move.
bool all_plies_legal(const TextGame& tg, TextProblem& why) {
    uint8_t saved[33];
    std::memcpy(saved, board, sizeof board);
    Position p;
    std::string error;
    if (tg.has_fen)
        p = tg.start;
    else
        parse_fen(START_FEN, p, error);
    std::memcpy(board, p.squares, sizeof board);
    board[0] = OFF_BOARD;
    int side = p.side_to_move;
    bool ok = true;
    for (size_t i = 0; i < tg.plies.size() && i < size_t(MAX_IMPORT_PLIES); ++i) {
        const int k = find_move(tg, i, legal_moves(side));
        if (k < 0) {
            why.error = TextError::illegal_move;
            if (i < tg.written.size()) {
                why.move_number = tg.written[i].number;
                why.text = tg.written[i].text;
            }
            ok = false;
            break;
        }
        play_move(move_lists[1][k]);
        side = 1 - side;
    }
    std::memcpy(board, saved, sizeof board);
    return ok;
}

}  // namespace

bool load_text_game(const TextGame& tg, int32_t t, TextProblem& why) {
    if (tg.pdn && !all_plies_legal(tg, why)) return false;
    remplir(t);
    if (tg.has_fen) {
        set_position(tg.start);
        game.side_to_move = static_cast<uint8_t>(tg.start.side_to_move);
        game.side_after_last_move = game.side_to_move;
    }
    game.white_name = fit_name(tg.white);
    game.black_name = fit_name(tg.black);
    store_ply();
    for (size_t i = 0; i < tg.plies.size() && i < size_t(MAX_IMPORT_PLIES); ++i) {
        const int k = find_move(tg, i, legal_moves(game.side_to_move));
        if (k < 0) continue;  // the program's own text games skip such a ply
        const Move m = move_lists[1][k];
        play_move(m);
        game.side_to_move = static_cast<uint8_t>(1 - game.side_to_move);
        game.side_after_last_move = game.side_to_move;
        if (record_move(m.from, m.to, m.captures) == RecordOutcome::refused) {
            load_ply();
            game.side_to_move = static_cast<uint8_t>(1 - game.side_to_move);
            game.side_after_last_move = game.side_to_move;
        }
    }
    std::memcpy(shown_board, board, sizeof board);
    game.skip_ponder = 1;
    return true;
}

}  // namespace qv
