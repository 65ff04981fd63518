// Board patterns held as data: the formation rules and the men-ending patterns are lists of
// these, read by one interpreter. A pattern is written as text, e.g. "T W13 E6 !X2 ^X2 ^W14"
//   Wn  square n holds a white man        Xn  a black man
//   En  square n is empty                 On  square n holds a piece
//   !Wn square n holds no white man       !Xn no black man
//   ^Wn ^Xn ^En  together: the pattern fails when all the ^ conditions hold
//   T   White to move      N   Black to move      (neither: any turn)
//   P0 P1 P2 P3  that phase only    P<2  opening or middle game    P>1  the endings
// and each has a value from White's view. Its colour mirror (square s -> 33 - s, colours
// swapped, turn swapped, value negated) is derived mechanically.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace qv {

enum class Turn : int8_t { ANY, WHITE_TO_MOVE, BLACK_TO_MOVE };

struct Pattern {
    uint32_t white = 0, black = 0, empty = 0, occupied = 0;  // bit s - 1 for square s
    uint32_t not_white = 0, not_black = 0;
    uint32_t excl_white = 0, excl_black = 0, excl_empty = 0;
    Turn turn = Turn::ANY;
    int8_t min_phase = 0, max_phase = 3;
    int16_t value = 0;
    const char* text = "";     // the source text, for messages and tests
    const char* example = "";  // extra pieces of its test position ("W22 X3")
};

// The position's men and empty squares as 32-bit sets (bit s - 1 for square s).
struct Occupancy {
    uint32_t white = 0;  // white men
    uint32_t black = 0;  // black men
    uint32_t empty = 0;
};
Occupancy occupancy_of_board();

namespace detail {
// Compile-time failure for a malformed pattern text.
inline void bad_pattern_text() {}

constexpr uint32_t bit(int s) {
    return uint32_t{1} << (s - 1);
}
constexpr uint32_t mirror_bits(uint32_t m) {
    uint32_t r = 0;
    for (int i = 0; i < 32; ++i)
        if (m & (uint32_t{1} << i)) r |= uint32_t{1} << (31 - i);
    return r;
}
}  // namespace detail

constexpr Pattern make_pattern(const char* text, int value, const char* example = "") {
    Pattern p;
    p.text = text;
    p.example = example;
    p.value = static_cast<int16_t>(value);
    const char* c = text;
    while (*c) {
        if (*c == ' ') {
            ++c;
            continue;
        }
        if (*c == 'T' || *c == 'N') {
            p.turn = *c == 'T' ? Turn::WHITE_TO_MOVE : Turn::BLACK_TO_MOVE;
            ++c;
            continue;
        }
        if (*c == 'P') {
            ++c;
            if (*c == '<') {
                p.max_phase = static_cast<int8_t>(c[1] - '0' - 1);
                c += 2;
            } else if (*c == '>') {
                p.min_phase = static_cast<int8_t>(c[1] - '0' + 1);
                c += 2;
            } else {
                p.min_phase = p.max_phase = static_cast<int8_t>(*c - '0');
                ++c;
            }
            continue;
        }
        char prefix = 0;
        if (*c == '!' || *c == '^') prefix = *c++;
        const char kind = *c++;
        int s = 0;
        while (*c >= '0' && *c <= '9') s = s * 10 + (*c++ - '0');
        if (s < 1 || s > 32) detail::bad_pattern_text();  // not constexpr: compile error
        const uint32_t b = detail::bit(s);
        if (prefix == '!') {
            if (kind == 'W')
                p.not_white |= b;
            else if (kind == 'X')
                p.not_black |= b;
            else
                detail::bad_pattern_text();
        } else if (prefix == '^') {
            if (kind == 'W')
                p.excl_white |= b;
            else if (kind == 'X')
                p.excl_black |= b;
            else if (kind == 'E')
                p.excl_empty |= b;
            else
                detail::bad_pattern_text();
        } else if (kind == 'W') {
            p.white |= b;
        } else if (kind == 'X') {
            p.black |= b;
        } else if (kind == 'E') {
            p.empty |= b;
        } else if (kind == 'O') {
            p.occupied |= b;
        } else {
            detail::bad_pattern_text();
        }
    }
    return p;
}

constexpr Pattern mirrored(const Pattern& p) {
    using detail::mirror_bits;
    Pattern m = p;
    m.white = mirror_bits(p.black);
    m.black = mirror_bits(p.white);
    m.empty = mirror_bits(p.empty);
    m.occupied = mirror_bits(p.occupied);
    m.not_white = mirror_bits(p.not_black);
    m.not_black = mirror_bits(p.not_white);
    m.excl_white = mirror_bits(p.excl_black);
    m.excl_black = mirror_bits(p.excl_white);
    m.excl_empty = mirror_bits(p.excl_empty);
    m.turn = p.turn == Turn::WHITE_TO_MOVE   ? Turn::BLACK_TO_MOVE
             : p.turn == Turn::BLACK_TO_MOVE ? Turn::WHITE_TO_MOVE
                                             : Turn::ANY;
    m.value = static_cast<int16_t>(-p.value);
    return m;
}

// Each rule followed by its mirror.
template <size_t N>
constexpr std::array<Pattern, 2 * N> with_mirrors(const std::array<Pattern, N>& rules) {
    std::array<Pattern, 2 * N> out{};
    for (size_t i = 0; i < N; ++i) {
        out[2 * i] = rules[i];
        out[2 * i + 1] = mirrored(rules[i]);
    }
    return out;
}

// The square conditions alone, without a branch: whether a rule matches is close to a coin
// toss, which a branch would mispredict.
inline bool squares_match(const Pattern& p, const Occupancy& b) {
    // One pass over the square conditions: any bit left is a condition broken.
    const uint32_t broken = (p.white & ~b.white) | (p.black & ~b.black) | (p.empty & ~b.empty) |
                            (p.occupied & b.empty) | (p.not_white & b.white) |
                            (p.not_black & b.black);
    // The ^ conditions exclude when there are some and all of them hold.
    const uint32_t excl_unmet =
        (p.excl_white & ~b.white) | (p.excl_black & ~b.black) | (p.excl_empty & ~b.empty);
    const bool has_excl = (p.excl_white | p.excl_black | p.excl_empty) != 0;
    return (broken == 0) & !(has_excl & (excl_unmet == 0));
}

// Whether the rule's turn and phase gates admit the position (t: White to move).
constexpr bool gates_admit(const Pattern& p, bool t, int phase) {
    if (p.turn != Turn::ANY && (p.turn == Turn::WHITE_TO_MOVE) != t) return false;
    return phase >= p.min_phase && phase <= p.max_phase;
}

// t: White to move.
inline bool matches(const Pattern& p, const Occupancy& b, bool t, int phase) {
    return gates_admit(p, t, phase) && squares_match(p, b);
}

// A rule list with an index: each rule is filed under one man it needs (its lowest white
// square, else its lowest black square; rules that need no man are always tried), so a
// position only tries the rules of the men that stand on it, still in list order, and of
// those only the rules whose turn and phase gates admit it.
template <size_t N>
class PatternList {
  public:
    static constexpr size_t WORDS = (N + 63) / 64;
    static constexpr int PHASES = 4;

    constexpr explicit PatternList(const std::array<Pattern, N>& rules) : rules_(rules) {
        for (size_t i = 0; i < N; ++i) {
            const Pattern& p = rules[i];
            const uint64_t bit = uint64_t{1} << (i % 64);
            uint64_t* set = always_;
            if (p.white)
                set = by_white_[std::countr_zero(p.white)];
            else if (p.black)
                set = by_black_[std::countr_zero(p.black)];
            set[i / 64] |= bit;
            for (int t = 0; t < 2; ++t)
                for (int phase = 0; phase < PHASES; ++phase)
                    if (gates_admit(p, t != 0, phase)) admitted_[t][phase][i / 64] |= bit;
        }
    }

    const std::array<Pattern, N>& rules() const { return rules_; }

    // Index of the first rule that matches, -1 for none.
    int first_match(const Occupancy& b, bool t, int phase) const {
        uint64_t candidates[WORDS];
        gather(b, t, phase, candidates);
        for (size_t w = 0; w < WORDS; ++w) {
            for (uint64_t bits = candidates[w]; bits; bits &= bits - 1) {
                const size_t i = w * 64 + static_cast<size_t>(std::countr_zero(bits));
                if (squares_match(rules_[i], b)) return static_cast<int>(i);
            }
        }
        return -1;
    }

    // Sum of the values of all the rules that match.
    int sum_matches(const Occupancy& b, bool t, int phase) const {
        uint64_t candidates[WORDS];
        gather(b, t, phase, candidates);
        int sum = 0;
        for (size_t w = 0; w < WORDS; ++w) {
            for (uint64_t bits = candidates[w]; bits; bits &= bits - 1) {
                const size_t i = w * 64 + static_cast<size_t>(std::countr_zero(bits));
                // Added as value or 0, no branch.
                sum += rules_[i].value & -static_cast<int>(squares_match(rules_[i], b));
            }
        }
        return sum;
    }

  private:
    // The rules filed under the men on the board that the gates admit (none for a phase
    // outside 0..3, which no rule admits).
    void gather(const Occupancy& b, bool t, int phase, uint64_t (&out)[WORDS]) const {
        for (size_t w = 0; w < WORDS; ++w) out[w] = always_[w];
        for (uint32_t m = b.white; m; m &= m - 1)
            for (size_t w = 0; w < WORDS; ++w) out[w] |= by_white_[std::countr_zero(m)][w];
        for (uint32_t m = b.black; m; m &= m - 1)
            for (size_t w = 0; w < WORDS; ++w) out[w] |= by_black_[std::countr_zero(m)][w];
        const bool known_phase = phase >= 0 && phase < PHASES;
        for (size_t w = 0; w < WORDS; ++w)
            out[w] &= known_phase ? admitted_[t ? 1 : 0][known_phase ? phase : 0][w] : 0;
    }

    std::array<Pattern, N> rules_;
    uint64_t always_[WORDS] = {};
    uint64_t by_white_[32][WORDS] = {};  // by bit (square - 1)
    uint64_t by_black_[32][WORDS] = {};
    uint64_t admitted_[2][PHASES][WORDS] = {};  // [White to move][phase]: gates that admit
};

}  // namespace qv
