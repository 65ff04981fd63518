// Positions of a pair are settled in order of their game length with a bucket per length.
// Moves that leave the pair (captures, promotions) are looked up in tables already solved
// when the pair is set up; plain moves inside the pair are walked backwards from each
// settled position by taking back a move of the side that has just moved. A position with
// a successor lost in d is won in d + 1 (settled at the first such d, so the shortest); a
// position whose every successor is won is lost in one more than the longest of them.
// Positions never settled can go on for ever: draws.
#include "eval/perfect_solve.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "board/board.h"
#include "board/movegen.h"

namespace qv {

namespace {

constexpr uint8_t NO_LOSS = 0xFF;  // a move out of the pair that does not lose
constexpr int LEVELS = 256;

struct PairWork {
    Material mat[2];
    int count = 2;
    uint32_t base[2] = {0, 0};
    std::vector<uint8_t>* values[2] = {nullptr, nullptr};
    std::vector<uint8_t> open;      // plain moves into positions not yet known to be won
    std::vector<uint8_t> exit_max;  // longest loss through a move out of the pair, NO_LOSS
    std::vector<uint8_t> settled;
    std::vector<uint8_t> pending;  // the length a win is queued at, 0: none
    std::vector<std::vector<uint32_t>> buckets;
    bool too_long = false;  // a length beyond the last bucket was queued

    uint32_t total() const {
        return base[count - 1] + static_cast<uint32_t>(values[count - 1]->size());
    }
    int table_of(uint32_t g) const { return count == 2 && g >= base[1] ? 1 : 0; }
};

void queue(PairWork& w, uint32_t g, int length) {
    if (length >= LEVELS) {
        w.too_long = true;
        return;
    }
    w.buckets[length].push_back(g);
}

bool first_moves(PairWork& w, const PerfectSet& set, int k, std::string& error,
                 const SolveProgress& progress, uint64_t& done, uint64_t all) {
    const Material& m = w.mat[k];
    const uint32_t size = table_entries(m);
    uint8_t sq[33];
    for (uint32_t i = 0; i < size; ++i) {
        const uint32_t g = w.base[k] + i;
        if ((++done & 0xFFFFF) == 0 && progress) progress(w.mat[0], done, all);
        if (!perfect_position(m, i, sq)) {
            w.settled[g] = 1;
            continue;
        }
        std::memcpy(board, sq, 33);
        movegen.ply = 1;
        const int n = generate(WHITE);
        if (n == 0) {
            queue(w, g, 0);
            continue;
        }
        const bool captures = movegen.best_capture_count > 0;
        const Move* list = move_lists[1];
        int win = LEVELS, longest = 0, open = 0;
        bool can_lose = true;
        for (int j = 0; j < n; ++j) {
            const Move& mv = list[j];
            const bool promotes = sq[mv.from] == WHITE_MAN && mv.to <= 4;
            if (!captures && !promotes) {
                ++open;
                continue;
            }
            std::memcpy(board, sq, 33);
            play_move(mv);
            bool black_left = false;
            for (int s = 1; s <= 32 && !black_left; ++s) black_left = is_black(board[s]);
            if (!black_left) {
                win = 1;
                can_lose = false;
                continue;
            }
            const Material next = material_on(board, BLACK);
            if (!set.has(next)) {
                error =
                    "the table " + material_name(next) + " is needed before " + material_name(m);
                return false;
            }
            const PerfectValue d = decode_value(set.value(board, BLACK));
            if (d.outcome == Outcome::loss) {
                win = std::min(win, d.plies + 1);
                can_lose = false;
            } else if (d.outcome == Outcome::win) {
                longest = std::max(longest, d.plies + 1);
            } else {
                can_lose = false;
            }
        }
        w.open[g] = static_cast<uint8_t>(open);
        w.exit_max[g] = can_lose ? static_cast<uint8_t>(longest) : NO_LOSS;
        if (win < LEVELS) {
            w.pending[g] = static_cast<uint8_t>(win);
            queue(w, g, win);
        } else if (open == 0 && can_lose) {
            queue(w, g, longest);
        }
    }
    return true;
}

// Takes back every plain move of Black (the side that has just moved) on the position of
// g, and passes on what g's settling means to each position found.
void take_back(PairWork& w, uint32_t g, int length) {
    const int k = w.table_of(g);
    uint8_t sq[33], before[33], turned[33];
    perfect_position(w.mat[k], g - w.base[k], sq);
    const int other = w.count == 2 ? 1 - k : 0;
    for (int t = 1; t <= 32; ++t) {
        const uint8_t piece = sq[t];
        if (!is_black(piece)) continue;
        // A black man came from the row above (toward square 1), a king from anywhere.
        const int dirs = piece == BLACK_KING ? 4 : 2;
        for (int d = 0; d < dirs; ++d) {
            const int s = neighbour[d][t];
            if (s == 0 || sq[s] != EMPTY) continue;
            std::memcpy(before, sq, 33);
            before[s] = piece;
            before[t] = EMPTY;
            mirror_squares(before, turned);
            std::memcpy(board, turned, 33);
            if (has_capture(WHITE)) continue;  // the plain move was not allowed
            const uint32_t p = w.base[other] + perfect_index(turned, WHITE);
            if (w.settled[p]) continue;
            if (length % 2 == 0) {
                const int next = length + 1;
                if (w.pending[p] == 0 || w.pending[p] > next) {
                    w.pending[p] = static_cast<uint8_t>(next);
                    queue(w, p, next);
                }
            } else if (w.exit_max[p] != NO_LOSS && --w.open[p] == 0) {
                queue(w, p, std::max(length + 1, static_cast<int>(w.exit_max[p])));
            }
        }
    }
}

}  // namespace

std::vector<MaterialPair> solving_order(int pieces) {
    std::vector<MaterialPair> out;
    const std::vector<Material> all = all_materials();
    for (int men = 0; men <= pieces; ++men) {
        for (const Material& m : all) {
            if (m.pieces() != pieces || m.men() != men) continue;
            const Material mirror = m.mirrored();
            if (material_key(mirror) < material_key(m)) continue;
            out.push_back({m, mirror == m});
        }
    }
    return out;
}

bool solve_pair(PerfectSet& set, const MaterialPair& pair, const SolveProgress& progress,
                std::string& error) {
    PairWork w;
    w.mat[0] = pair.first;
    w.mat[1] = pair.first.mirrored();
    w.count = pair.single ? 1 : 2;
    for (int k = 0; k < w.count; ++k) {
        auto& table = set.tables[material_key(w.mat[k])];
        table.assign(table_entries(w.mat[k]), PERFECT_DRAW);
        w.values[k] = &table;
    }
    if (w.count == 2) w.base[1] = static_cast<uint32_t>(w.values[0]->size());
    const uint32_t n = w.total();
    w.open.assign(n, 0);
    w.exit_max.assign(n, 0);
    w.settled.assign(n, 0);
    w.pending.assign(n, 0);
    w.buckets.assign(LEVELS, {});
    uint64_t done = 0;
    const uint64_t all = 2ull * n;
    bool ok = true;
    for (int k = 0; k < w.count && ok; ++k) ok = first_moves(w, set, k, error, progress, done, all);
    for (int length = 0; length < LEVELS && ok; ++length) {
        auto& bucket = w.buckets[length];
        for (size_t j = 0; j < bucket.size(); ++j) {
            const uint32_t g = bucket[j];
            if (w.settled[g]) continue;
            const bool won = length % 2 == 1;
            if (length > (won ? PERFECT_LONGEST : PERFECT_LONGEST + 1)) {
                error = material_name(w.mat[0]) + ": a game of " + std::to_string(length) +
                        " plies does not fit a byte";
                ok = false;
                break;
            }
            w.settled[g] = 1;
            const int k = w.table_of(g);
            (*w.values[k])[g - w.base[k]] = won ? win_byte(length) : loss_byte(length);
            take_back(w, g, length);
            if ((++done & 0xFFFFF) == 0 && progress) progress(w.mat[0], done, all);
        }
        std::vector<uint32_t>().swap(bucket);
    }
    if (ok && w.too_long) {
        error = material_name(w.mat[0]) + ": a game too long for a byte";
        ok = false;
    }
    if (!ok) {
        for (int k = 0; k < w.count; ++k) w.values[k]->clear();
        return false;
    }
    if (progress) progress(w.mat[0], all, all);
    return true;
}

bool solve_and_write(PerfectSet& set, int from_pieces, int to_pieces,
                     const std::filesystem::path& dir, bool reuse, const SolveProgress& progress,
                     std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (int pieces = from_pieces; pieces <= to_pieces; ++pieces) {
        for (const MaterialPair& pair : solving_order(pieces)) {
            const Material both[2] = {pair.first, pair.first.mirrored()};
            const int count = pair.single ? 1 : 2;
            bool have = true;
            for (int k = 0; k < count; ++k) {
                auto& table = set.tables[material_key(both[k])];
                if (table.empty() &&
                    (!reuse || read_perfect_table(dir, both[k], table) != TableFileState::ok))
                    have = false;
            }
            if (have) {
                if (progress) progress(pair.first, 1, 1);
                continue;
            }
            const auto start = std::chrono::steady_clock::now();
            if (!solve_pair(set, pair, progress, error)) return false;
            const auto millis =
                static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start)
                                          .count());
            for (int k = 0; k < count; ++k) {
                if (!write_perfect_table(dir, both[k], set.tables[material_key(both[k])], millis)) {
                    error = "cannot write " + (dir / perfect_file_name(both[k])).string();
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace qv
