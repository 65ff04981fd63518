// Where positions stand in the endgame tables and what a probe returns to the search.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "board/board.h"
#include "board/data_dir.h"
#include "common/case_name.h"
#include "common/fen.h"
#include "eval/egdb.h"
#include "eval/egdb_store.h"
#include "files/temp_dir.h"

namespace {

using qv::test::set_fen;

// FENs use the notation numbers: internal square 7 is "06", 30 is "31", 9 is "12",
// 20 is "17", 1 is "04".
struct LocateCase {
    const char* fen;
    const char* table;  // "" when no table covers the material
    int index;
};

const LocateCase LOCATE_CASES[] = {
    // Black man on 9, Black to move: read as a white man on 24 (king 20 read as 13).
    {"B:WK17:B12", "pod.ita", 24 * 32 + 13},
    {"W:W17:BK12", "pod.ita", 20 * 32 + 9},
    // Black kings on 7 and 30 read as 26 and 3: pair 302; the man on 20 read as 13.
    {"B:W17:BK06,K31", "ddop.ita", 302 + 496 * 12},
    // The kings-only tables of two and three pieces are read unmirrored.
    {"B:WK31:BK06", "dod.chb", 7 * 32 + 30},
    {"B:WK17:BK06,K31", "ddod.chb", (6 + 29 * 28 / 2) + 496 * 19},
    {"W:WK06:BK17,K31", "dodd.chb", (19 + 29 * 28 / 2) + 496 * 6},
    // ... but the four-king table is mirrored: kings 20, 1 read as 13, 32.
    {"B:WK17,K04:BK06,K31", "ddodd.chb", 302 + 496 * (12 + 31 * 30 / 2)},
    {"W:W17,K04:BK06", "pdod.ita", 19 * 1024 + 0 * 32 + 6},
    {"W:WK06:B17,K31", "dopd.ita", 6 * 1024 + 19 * 32 + 29},
    {"B:W12,K31:BK06,K04", "ddopd.ita", (25 + 31 * 30 / 2) + 496 * 23 + 16368 * 2},
    {"W:WK04,K06:B17,K31", "ddopd.ita", (0 + 6 * 5 / 2) + 496 * 19 + 16368 * 29},
    {"W:W12,K31:BK04,K06", "pdodd.ita", (0 + 6 * 5 / 2) + 496 * 8 + 16368 * 29},
    {"W:W21,22:B12", "ppop.ita", (22 + 23 * 22 / 2) + 496 * 8},
    // No table: three kings against one, two men against two, five pieces.
    {"W:WK04,K06,K17:BK31", "", 0},
    {"W:W21,22:B01,02", "", 0},
    {"W:WK04,K06:BK17,K31,K32", "", 0},
};

class Locate : public testing::TestWithParam<LocateCase> {};

TEST_P(Locate, TableAndIndex) {
    const LocateCase& c = GetParam();
    const int side = set_fen(c.fen);
    qv::TableEntry e;
    const bool found = qv::locate_position(qv::board, side, e);
    int16_t score = 0;
    EXPECT_EQ(qv::probe_endgame(side, 1, score), found);
    if (c.table[0] == 0) {
        EXPECT_FALSE(found) << c.fen;
        return;
    }
    ASSERT_TRUE(found) << c.fen;
    EXPECT_EQ(qv::TABLE_LAYOUTS[e.table].name, std::string(c.table)) << c.fen;
    EXPECT_EQ(e.index, c.index) << c.fen;
}

INSTANTIATE_TEST_SUITE_P(Tables, Locate, testing::ValuesIn(LOCATE_CASES),
                         qv::test::NameBy<&LocateCase::fen>());

// A byte planted in the king-against-king table, probed from both sides' views.
struct ScoreCase {
    const char* name;
    int8_t v;
    int root_side;
    int ply;
    int16_t score;  // from the root side's view
};

const ScoreCase SCORE_CASES[] = {
    {"win5_white_ply3", 5, qv::WHITE, 3, 31992},     // White (the mover) wins in 5 plies
    {"win5_black_ply2", 5, qv::BLACK, 2, -31993},    // even ply: the mover answers the root
    {"loss7_white_ply3", -7, qv::WHITE, 3, -31990},  // a loss in 7: -(32000 - 7 - 3)
    {"loss7_black_ply6", -7, qv::BLACK, 6, 31987},
    {"lost_now_white_ply5", qv::LOST_NOW, qv::WHITE, 5, 5 - 32000},  // the search's ply - 32000
    {"lost_now_black_ply2", qv::LOST_NOW, qv::BLACK, 2, 32000 - 2},
    {"draw_white_ply3", 0, qv::WHITE, 3, 0},
    {"win127_black_ply34", 127, qv::BLACK, 34, -31839},
};

class Score : public testing::TestWithParam<ScoreCase> {};

TEST_P(Score, ByPlyParity) {
    const ScoreCase& c = GetParam();
    qv::load_endgame_tables();
    qv::tables_loaded = true;
    set_fen("W:WK04:BK31");
    qv::TableEntry e;
    ASSERT_TRUE(qv::locate_position(qv::board, qv::WHITE, e));
    int8_t& byte = qv::endgame_tables.table(e.table)[e.index];
    const int8_t saved = byte;
    byte = c.v;
    int16_t score = 0;
    EXPECT_TRUE(qv::probe_endgame(c.root_side, c.ply, score));
    EXPECT_EQ(score, c.score);
    byte = saved;
}

INSTANTIATE_TEST_SUITE_P(Formulas, Score, testing::ValuesIn(SCORE_CASES), qv::test::RowName());

// Entries of the shipped tables that can be checked by hand.
struct KnownEntry {
    const char* fen;
    int8_t v;
};

const KnownEntry KNOWN_ENTRIES[] = {
    {"W:WK15:BK12", 1},                 // the king takes the other: won in 1
    {"W:W15:B12", 1},                   // so does a man taking the last man
    {"B:W21:B17", 1},                   // the same, Black to move, read through the mirror
    {"W:W08:B04", qv::LOST_NOW},        // a man on the edge blocked by the man ahead
    {"B:W29:B25", qv::LOST_NOW},        // the same turned round, Black to move
    {"W:WK01:BK05,K06", 1},             // the cornered king takes both in one sequence
    {"W:WK01:BK05,K10", qv::LOST_NOW},  // ... or, with the landing square taken, is stuck
    {"B:WK05,K10:BK01", qv::LOST_NOW},  // the same with the colours swapped, unmirrored
};

class Known : public testing::TestWithParam<KnownEntry> {};

TEST_P(Known, ShippedByte) {
    const KnownEntry& c = GetParam();
    qv::load_endgame_tables();
    qv::tables_loaded = true;
    const int side = set_fen(c.fen);
    qv::TableEntry e;
    ASSERT_TRUE(qv::locate_position(qv::board, side, e));
    EXPECT_EQ(qv::endgame_tables.at(e.table, e.index), c.v);
    int16_t score = 0;
    ASSERT_TRUE(qv::probe_endgame(side, 3, score));
    EXPECT_EQ(score, qv::endgame_score(c.v, 3));
}

INSTANTIATE_TEST_SUITE_P(Shipped, Known, testing::ValuesIn(KNOWN_ENTRIES),
                         qv::test::NameBy<&KnownEntry::fen>());

// Every entry that holds a legal position reads back at its own index, White to move and,
// turned into the same position with Black to move, through the table's mirror.
TEST(EntryRoundTrip, BothSidesToMove) {
    uint8_t white[33], black[33];
    for (int t = 0; t < qv::ENDGAME_TABLE_COUNT; ++t) {
        const qv::TableLayout& layout = qv::TABLE_LAYOUTS[t];
        int legal = 0;
        for (int i = 0; i < layout.size; ++i) {
            if (!qv::position_of_entry(t, i, white)) continue;
            ++legal;
            black[0] = qv::OFF_BOARD;
            for (int s = 1; s <= 32; ++s) {
                const uint8_t c = white[layout.mirrored ? 33 - s : s];
                black[s] = c == qv::EMPTY ? c : qv::is_white(c) ? c + 2 : c - 2;
            }
            qv::TableEntry w, b;
            ASSERT_TRUE(qv::locate_position(white, qv::WHITE, w));
            ASSERT_TRUE(qv::locate_position(black, qv::BLACK, b));
            ASSERT_EQ(w.table, t);
            ASSERT_EQ(w.index, i) << layout.name;
            ASSERT_EQ(b.table, t);
            ASSERT_EQ(b.index, i) << layout.name;
        }
        EXPECT_GT(legal, 0) << layout.name;
    }
}

// A short file and a missing one leave their tables all zero and are named.
TEST(TableFiles, MissingOrShortNamedOnStderr) {
    const qv::test::TempDir temp;
    const auto& dir = temp.path();
    for (const auto& layout : qv::TABLE_LAYOUTS) {
        const std::string name = layout.name;
        if (name == "ddop.ita") continue;  // missing
        const auto from = qv::find_file(QUORVEL_DATA_DIR, name);
        std::filesystem::copy_file(from, dir / name);
        if (name == "ppop.ita") std::filesystem::resize_file(dir / name, layout.size - 1);
    }
    auto tables = std::make_unique<qv::EndgameTables>();
    std::memset(tables->bytes, 1, sizeof tables->bytes);
    testing::internal::CaptureStderr();
    const int whole = qv::load_tables_from(dir, *tables);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(whole, qv::ENDGAME_TABLE_COUNT - 2);
    EXPECT_NE(err.find("ddop.ita"), std::string::npos) << err;
    EXPECT_NE(err.find("ppop.ita"), std::string::npos) << err;
    EXPECT_EQ(err.find("dod.chb"), std::string::npos) << err;
    for (int t = 0; t < qv::ENDGAME_TABLE_COUNT; ++t) {
        const std::string name = qv::TABLE_LAYOUTS[t].name;
        const bool lost = name == "ddop.ita" || name == "ppop.ita";
        int nonzero = 0;
        for (int i = 0; i < qv::TABLE_LAYOUTS[t].size; ++i) nonzero += tables->table(t)[i] != 0;
        if (lost)
            EXPECT_EQ(nonzero, 0) << name;
        else
            EXPECT_GT(nonzero, 0) << name;
    }
}

}  // namespace
