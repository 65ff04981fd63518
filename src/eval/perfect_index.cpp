#include "eval/perfect_index.h"

#include <array>
#include <cstring>

#include "board/board.h"

namespace qv {

namespace {

constexpr int MAX_SET = 4;  // pieces of one kind on one side

constexpr std::array<std::array<uint32_t, MAX_SET + 1>, 33> make_binomials() {
    std::array<std::array<uint32_t, MAX_SET + 1>, 33> c{};
    for (int n = 0; n <= 32; ++n) {
        c[n][0] = 1;
        for (int k = 1; k <= MAX_SET; ++k) c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
    }
    return c;
}
constexpr auto C = make_binomials();

// Colex rank of k ascending positions.
inline uint32_t rank_set(const int* pos, int k) {
    uint32_t r = 0;
    for (int i = 0; i < k; ++i) r += C[pos[i]][i + 1];
    return r;
}

// Inverse of rank_set; false when the rank is out of range for n places.
bool unrank_set(uint32_t r, int k, int n, int* pos) {
    int top = n;
    for (int i = k - 1; i >= 0; --i) {
        int p = top - 1;
        while (p >= i && C[p][i + 1] > r) --p;
        if (p < i) return false;
        pos[i] = p;
        r -= C[p][i + 1];
        top = p;
    }
    return r == 0;
}

// The index of `sq` with White to move and material m.
uint32_t index_white_moves(const uint8_t* sq, const Material& m) {
    int wm[MAX_SET], bm[MAX_SET], wk[MAX_SET], bk[MAX_SET];
    int nwm = 0, nbm = 0, nwk = 0, nbk = 0;
    int men_below = 0, wk_below = 0;
    // Kings are placed among the squares without men, so men are counted first.
    uint8_t men_before[33];
    for (int s = 1; s <= 32; ++s) {
        men_before[s] = static_cast<uint8_t>(men_below);
        const uint8_t c = sq[s];
        if (c == WHITE_MAN) {
            wm[nwm++] = s - 5;
            ++men_below;
        } else if (c == BLACK_MAN) {
            bm[nbm++] = s - 1;
            ++men_below;
        }
    }
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = sq[s];
        if (c == WHITE_KING) {
            wk[nwk++] = s - 1 - men_before[s];
            ++wk_below;
        } else if (c == BLACK_KING) {
            bk[nbk++] = s - 1 - men_before[s] - wk_below;
        }
    }
    const int men = m.white_men + m.black_men;
    uint32_t i = rank_set(wm, nwm);
    i = i * C[28][m.black_men] + rank_set(bm, nbm);
    i = i * C[32 - men][m.white_kings] + rank_set(wk, nwk);
    i = i * C[32 - men - m.white_kings][m.black_kings] + rank_set(bk, nbk);
    return i;
}

}  // namespace

bool is_table_material(const Material& m) {
    return m.white() >= 1 && m.black() >= 1 && m.pieces() <= PERFECT_MAX_PIECES;
}

std::string material_name(const Material& m) {
    std::string s(m.white_men, 'm');
    s.append(m.white_kings, 'k');
    s += 'v';
    s.append(m.black_men, 'm');
    s.append(m.black_kings, 'k');
    return s;
}

bool material_of_name(const std::string& name, Material& out) {
    Material m;
    bool other = false;
    char last = 0;
    for (char c : name) {
        if (c == 'v' && !other) {
            other = true;
            last = 0;
            continue;
        }
        if ((c != 'm' && c != 'k') || (c == 'm' && last == 'k')) return false;
        uint8_t& n = other ? (c == 'm' ? m.black_men : m.black_kings)
                           : (c == 'm' ? m.white_men : m.white_kings);
        if (++n > MAX_SET) return false;
        last = c;
    }
    if (!other || !is_table_material(m)) return false;
    out = m;
    return true;
}

uint32_t table_entries(const Material& m) {
    const int men = m.men();
    return C[28][m.white_men] * C[28][m.black_men] * C[32 - men][m.white_kings] *
           C[32 - men - m.white_kings][m.black_kings];
}

Material material_on(const uint8_t squares[33], int mover) {
    uint8_t n[5] = {0, 0, 0, 0, 0};
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = squares[s];
        if (c >= WHITE_MAN && c <= BLACK_KING && n[c] < 9) ++n[c];
    }
    Material m{n[WHITE_MAN], n[WHITE_KING], n[BLACK_MAN], n[BLACK_KING]};
    return mover == WHITE ? m : m.mirrored();
}

void mirror_squares(const uint8_t in[33], uint8_t out[33]) {
    static constexpr uint8_t SWAP[5] = {EMPTY, BLACK_MAN, BLACK_KING, WHITE_MAN, WHITE_KING};
    out[0] = OFF_BOARD;
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = in[33 - s];
        out[s] = c <= BLACK_KING ? SWAP[c] : c;
    }
}

uint32_t perfect_index(const uint8_t squares[33], int mover) {
    if (mover == WHITE) return index_white_moves(squares, material_on(squares, WHITE));
    uint8_t turned[33];
    mirror_squares(squares, turned);
    return index_white_moves(turned, material_on(turned, WHITE));
}

bool perfect_position(const Material& m, uint32_t index, uint8_t squares[33]) {
    if (!is_table_material(m) || index >= table_entries(m)) return false;
    const int men = m.men();
    const uint32_t n_bk = C[32 - men - m.white_kings][m.black_kings];
    const uint32_t n_wk = C[32 - men][m.white_kings];
    const uint32_t n_bm = C[28][m.black_men];
    const uint32_t r_bk = index % n_bk;
    index /= n_bk;
    const uint32_t r_wk = index % n_wk;
    index /= n_wk;
    const uint32_t r_bm = index % n_bm;
    const uint32_t r_wm = index / n_bm;
    int pos[MAX_SET];
    std::memset(squares, EMPTY, 33);
    squares[0] = OFF_BOARD;
    if (!unrank_set(r_wm, m.white_men, 28, pos)) return false;
    for (int i = 0; i < m.white_men; ++i) squares[pos[i] + 5] = WHITE_MAN;
    if (!unrank_set(r_bm, m.black_men, 28, pos)) return false;
    for (int i = 0; i < m.black_men; ++i) {
        if (squares[pos[i] + 1] != EMPTY) return false;
        squares[pos[i] + 1] = BLACK_MAN;
    }
    // Kings on the free squares, in ascending order: first White's, then Black's.
    for (int side = 0; side < 2; ++side) {
        const int k = side == 0 ? m.white_kings : m.black_kings;
        const int places = side == 0 ? 32 - men : 32 - men - m.white_kings;
        if (!unrank_set(side == 0 ? r_wk : r_bk, k, places, pos)) return false;
        int free_squares[32];
        int nf = 0;
        for (int s = 1; s <= 32; ++s)
            if (squares[s] == EMPTY) free_squares[nf++] = s;
        for (int i = 0; i < k; ++i)
            squares[free_squares[pos[i]]] = side == 0 ? WHITE_KING : BLACK_KING;
    }
    return true;
}

}  // namespace qv
