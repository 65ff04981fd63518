#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "board/board.h"
#include "board/fen.h"
#include "eval/params.h"
#include "eval/params_text.h"
#include "tune_fit.h"

namespace qv {
namespace {

std::string shipped_text() {
    std::ifstream in(QUORVEL_SOURCE_DIR "/data/params/defaut.txt", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

TEST(TunedText, NewValuesReadBackAndEverythingElseStays) {
    const std::string text = shipped_text();
    std::istringstream parse(text);
    Parameters p;
    std::string error;
    ASSERT_TRUE(parse_parameter_text(parse, p, error)) << error;
    Parameters tuned = p;
    for (int t = 0; t < MAN_TABLE_COUNT; ++t) {
        tuned.tempo_coef[t] = static_cast<int8_t>(-100 + t);  // wider than the old field
        for (int e = 1; e <= 32; ++e) tuned.man_tables[t][e] = static_cast<int8_t>(e * 3 - 40 + t);
    }
    const std::string rewritten = rewrite_parameter_values(text, tuned);
    std::istringstream again(rewritten);
    Parameters read;
    ASSERT_TRUE(parse_parameter_text(again, read, error)) << error;
    EXPECT_EQ(std::memcmp(&read, &tuned, sizeof read), 0);
    // Comments, limits and variant squares are the old lines, in the old places.
    const auto before = lines_of(text), after = lines_of(rewritten);
    ASSERT_EQ(before.size(), after.size());
    int kept = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const bool values = before[i].rfind("tempo", 0) == 0 ||
                            (!before[i].empty() && before[i][0] == ' ' &&
                             before[i].find_first_not_of(" 0123456789-") == std::string::npos);
        if (!values) {
            EXPECT_EQ(after[i], before[i]);
            ++kept;
        }
    }
    EXPECT_GT(kept, 60);
    // The same values give back the same text.
    EXPECT_EQ(rewrite_parameter_values(text, p), text);
}

// Positions of the ending (men only, two a side) in which White won exactly when one of its
// men stood on square 9 (entry 24 of White's table): the fit must raise that entry of the
// ending's table and predict the results better; tables no position uses stay.
TEST(TuneFit, ValuesMoveTowardTheResults) {
    ASSERT_TRUE(load_default_parameters());
    const Parameters start = params;
    std::mt19937 rng(5);
    std::ostringstream lines;
    int written = 0;
    while (written < 400) {
        clear_board();
        int placed = 0;
        while (placed < 4) {
            const int s = std::uniform_int_distribution<int>(5, 28)(rng);
            if (board[s] != EMPTY) continue;
            board[s] = placed < 2 ? WHITE_MAN : BLACK_MAN;
            ++placed;
        }
        const bool on9 = board[9] == WHITE_MAN;
        if (!on9 && written % 2 == 0) continue;  // half of the positions hold the man on 9
        lines << write_fen(board, written % 2) << (on9 ? " 1\n" : " 0\n");
        ++written;
    }
    std::istringstream in(lines.str());
    long rejected = 0;
    std::vector<tune::Sample> samples = tune::read_samples(in, rejected);
    ASSERT_EQ(rejected, 0);
    ASSERT_EQ(samples.size(), 400u);
    Parameters p = start;
    std::ostringstream log;
    const tune::FitReport r = tune::fit_parameters(samples, p, {.passes = 3}, log);
    EXPECT_GT(p.man_tables[FINAL][24], start.man_tables[FINAL][24] + 4) << log.str();
    EXPECT_LT(r.train_after, r.train_before);
    EXPECT_LE(r.held_after, r.held_before);
    EXPECT_EQ(std::memcmp(p.man_tables[OPENING_DEFAULT], start.man_tables[OPENING_DEFAULT], 33), 0);
    EXPECT_EQ(p.tempo_coef[MIDDLE_VARIANT1], start.tempo_coef[MIDDLE_VARIANT1]);
}

TEST(TuneFit, LinesThatAreNotPositionsAreCounted) {
    std::istringstream in("W:W21:B12 1\nnot a fen 1\nW:W21:B12 2\nW:W21:B12\nB:W22:B11 0.5\n");
    long rejected = 0;
    const auto samples = tune::read_samples(in, rejected);
    EXPECT_EQ(samples.size(), 2u);
    EXPECT_EQ(rejected, 3);
}

}  // namespace
}  // namespace qv
