#include "eval/perfect_tables.h"

#include <cstdio>

#include "board/board.h"
#include "board/data_dir.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

enum : uint8_t { UNKNOWN = 0, HELD = 1, ABSENT = 2 };

struct Held {
    PerfectSet set;
    uint8_t state[MATERIAL_KEYS] = {};
};

Held& held() {
    static Held h;
    return h;
}

// The two folders, the one a table of this size is normally in first.
void folders_for(const Material& m, fs::path out[2]) {
    const bool made_by_user = m.pieces() == PERFECT_MAX_PIECES;
    out[0] = made_by_user ? user_tables_dir() : program_tables_dir();
    out[1] = made_by_user ? program_tables_dir() : user_tables_dir();
}

}  // namespace

fs::path program_tables_dir() {
    return program_dir() / "tables";
}

// The five-piece tables are made by the person, so they go to the person's folder (the
// build tree itself in portable mode).
fs::path user_tables_dir() {
    return user_dir() / "tables";
}

std::vector<Material> all_materials() {
    std::vector<Material> out;
    for (int n = 2; n <= PERFECT_MAX_PIECES; ++n)
        for (int w = 1; w < n; ++w)
            for (int wm = 0; wm <= w; ++wm)
                for (int bm = 0; bm <= n - w; ++bm)
                    out.push_back(Material{static_cast<uint8_t>(wm), static_cast<uint8_t>(w - wm),
                                           static_cast<uint8_t>(bm),
                                           static_cast<uint8_t>(n - w - bm)});
    return out;
}

bool probe_perfect(const uint8_t squares[33], int mover, uint8_t& value) {
    const Material m = material_on(squares, mover);
    if (!is_table_material(m)) return false;
    Held& h = held();
    const int key = material_key(m);
    if (h.state[key] == UNKNOWN) {
        fs::path dirs[2];
        folders_for(m, dirs);
        h.state[key] = ABSENT;
        for (const fs::path& dir : dirs) {
            if (read_perfect_table(dir, m, h.set.tables[key]) == TableFileState::ok) {
                h.state[key] = HELD;
                break;
            }
        }
    }
    if (h.state[key] != HELD) return false;
    value = h.set.tables[key][perfect_index(squares, mover)];
    return true;
}

bool perfect_search_enabled = true;

bool probe_perfect_score(int root_side, int ply, int16_t& score) {
    if (!perfect_search_enabled) return false;
    const bool odd = (ply & 1) != 0;
    uint8_t v;
    if (!probe_perfect(board, odd ? root_side : 1 - root_side, v)) return false;
    const int16_t s = perfect_score(v, ply);
    score = odd ? s : static_cast<int16_t>(-s);
    return true;
}

void forget_perfect_tables() {
    Held& h = held();
    for (int k = 0; k < MATERIAL_KEYS; ++k) {
        h.set.tables[k] = std::vector<uint8_t>();
        h.state[k] = UNKNOWN;
    }
}

TableVerdict table_verdict(const uint8_t before[33], int mover, const uint8_t after[33]) {
    uint8_t was = 0, after_value = 0;
    if (!probe_perfect(before, mover, was)) return TableVerdict::none;
    const Outcome from = decode_value(was).outcome;
    if (from == Outcome::loss) return TableVerdict::none;
    // After the move the other side is to move: its loss is the mover's win. A move that
    // takes the last piece leaves nothing to probe and keeps a win.
    if (!probe_perfect(after, 1 - mover, after_value)) return TableVerdict::none;
    const Outcome other = decode_value(after_value).outcome;
    const Outcome to = other == Outcome::loss  ? Outcome::win
                       : other == Outcome::win ? Outcome::loss
                                               : Outcome::draw;
    if (from == Outcome::win && to == Outcome::draw) return TableVerdict::win_to_draw;
    if (from == Outcome::win && to == Outcome::loss) return TableVerdict::win_to_loss;
    if (from == Outcome::draw && to == Outcome::loss) return TableVerdict::draw_to_loss;
    return TableVerdict::none;
}

TableStatus table_status(const Material& m) {
    TableStatus s;
    s.material = m;
    fs::path dirs[2];
    folders_for(m, dirs);
    s.dir = dirs[0];
    for (const fs::path& dir : dirs) {
        PerfectHeader h{};
        const TableFileState state = read_perfect_header(dir, m, h);
        if (state == TableFileState::missing) continue;
        s.state = state;
        s.dir = dir;
        s.header = h;
        if (state == TableFileState::ok) break;
    }
    return s;
}

}  // namespace qv
