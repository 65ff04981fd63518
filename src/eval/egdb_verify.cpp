#include "eval/egdb_verify.h"

#include "board/board.h"
#include "board/fen.h"
#include "eval/egdb_moves.h"

namespace qv {

namespace {

// What the successors of a position offer the side to move.
struct Outlook {
    int shortest_loss = -1;  // plies until the opponent's game is lost, -1: none
    int longest_win = -1;    // over the opponent's wins, -1: none
    bool draw = false;
    bool all_won = true;  // every move leads to an opponent's win
};

Outlook outlook_of(const EndgameTables& tables, const TableMove* moves, int count) {
    Outlook o;
    for (int k = 0; k < count; ++k) {
        const int8_t w =
            moves[k].wipes_out ? LOST_NOW : tables.at(moves[k].entry.table, moves[k].entry.index);
        if (w > 0) {
            if (w > o.longest_win) o.longest_win = w;
            continue;
        }
        o.all_won = false;
        if (w == 0) {
            o.draw = true;
            continue;
        }
        const int length = w == LOST_NOW ? 0 : -w;
        if (o.shortest_loss < 0 || length < o.shortest_loss) o.shortest_loss = length;
    }
    return o;
}

// Why byte v does not fit the successors, or empty when it does.
std::string fault(int8_t v, int count, const Outlook& o) {
    if (count == 0) return v == LOST_NOW ? "" : "no legal move, so it must be lost at once";
    if (v == LOST_NOW) return "marked as having no move, but has one";
    if (v > 0) {
        if (o.shortest_loss < 0) return "a win without a move into a lost position";
        if (o.shortest_loss != v - 1)
            return "its fastest move into a lost position ends in " +
                   std::to_string(o.shortest_loss + 1) + " plies";
        return "";
    }
    if (v < 0) {
        if (!o.all_won) return "a loss with a move that does not lose";
        if (o.longest_win != -v - 1)
            return "its longest resistance is " + std::to_string(o.longest_win + 1) + " plies";
        return "";
    }
    if (o.shortest_loss >= 0) return "a draw with a winning move";
    if (!o.draw) return "a draw without a drawing move";
    return "";
}

}  // namespace

bool verify_table(const EndgameTables& tables, int t, TableSummary& summary, std::string& error) {
    const TableLayout& layout = TABLE_LAYOUTS[t];
    const int8_t* bytes = tables.table(t);
    summary = TableSummary{};
    uint8_t squares[33];
    TableMove moves[MAX_MOVES];
    for (int i = 0; i < layout.size; ++i) {
        const int8_t v = bytes[i];
        if (!position_of_entry(t, i, squares)) {
            if (v == 0) continue;
            error = std::string(layout.name) + " index " + std::to_string(i) +
                    ": no position has this index, but it holds " + std::to_string(v);
            return false;
        }
        const int count = table_moves(squares, moves);
        std::string why;
        if (count < 0)
            why = "a move leads outside the tables";
        else
            why = fault(v, count, outlook_of(tables, moves, count));
        if (!why.empty()) {
            error = std::string(layout.name) + " index " + std::to_string(i) + " (" +
                    write_fen(squares, WHITE) + ") holds " + std::to_string(v) + ": " + why;
            return false;
        }
        if (v > 0) {
            ++summary.wins;
            if (v > summary.longest_win) {
                summary.longest_win = v;
                summary.longest_index = i;
            }
        } else if (v < 0) {
            ++summary.losses;
        } else {
            ++summary.draws;
        }
    }
    return true;
}

}  // namespace qv
