// The perfect-play tables made at build time (four pieces or fewer): every entry agrees
// with its moves from both colours, the nineteen tables say the same, known positions.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "board/board.h"
#include "board/fen.h"
#include "common/case_name.h"
#include "eval/egdb_store.h"
#include "eval/perfect_solve.h"
#include "eval/perfect_verify.h"

namespace {

const std::filesystem::path TABLES = std::filesystem::path(QUORVEL_DATA_DIR) / "tables";

class SmallTables : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        set = std::make_unique<qv::PerfectSet>();
        for (const qv::Material& m : qv::all_materials()) {
            if (m.pieces() == qv::PERFECT_MAX_PIECES) continue;
            ASSERT_EQ(qv::read_perfect_table(TABLES, m, set->tables[qv::material_key(m)]),
                      qv::TableFileState::ok)
                << qv::material_name(m);
        }
    }
    static void TearDownTestSuite() { set.reset(); }
    static std::unique_ptr<qv::PerfectSet> set;
};
std::unique_ptr<qv::PerfectSet> SmallTables::set;

TEST_F(SmallTables, EveryEntryAgreesWithItsMovesAndTheNineteen) {
    for (const qv::Material& m : qv::all_materials()) {
        if (m.pieces() == qv::PERFECT_MAX_PIECES) continue;
        qv::PerfectSummary s;
        std::string error;
        EXPECT_TRUE(qv::verify_perfect(*set, m, s, error)) << error;
    }
    auto nineteen = std::make_unique<qv::EndgameTables>();
    ASSERT_EQ(qv::load_tables_from(QUORVEL_DATA_DIR, *nineteen), qv::ENDGAME_TABLE_COUNT);
    const qv::Correspondence c = qv::compare_with_nineteen(*nineteen, *set);
    EXPECT_GT(c.positions, 1'000'000u);
    EXPECT_EQ(c.other, 0u) << c.first_other;
}

// A fault planted in a table is found, and a table solved again comes out the same.
TEST_F(SmallTables, PlantedFaultIsFoundAndSolvingAgainGivesTheFile) {
    const qv::Material m{2, 0, 2, 0};  // two men each: no table among the nineteen
    std::vector<uint8_t>& t = set->tables[qv::material_key(m)];
    const std::vector<uint8_t> kept = t;
    qv::MaterialPair pair{m, true};
    std::string error;
    ASSERT_TRUE(qv::solve_pair(*set, pair, nullptr, error)) << error;
    EXPECT_TRUE(t == kept);
    size_t at = 0;
    while (qv::decode_value(t[at]).outcome != qv::Outcome::win || t[at] < 2) ++at;
    t[at] = static_cast<uint8_t>(t[at] - 1);  // a win two plies shorter than any line
    qv::PerfectSummary s;
    EXPECT_FALSE(qv::verify_perfect(*set, m, s, error));  // here or at a position before it
    t = kept;
}

struct Known {
    const char* name;
    const char* fen;
    qv::Outcome outcome;
    int plies;
};

// Squares in notation numbers (1..4 the top row, where White crowns).
const Known KNOWN[] = {
    // Lone kings apart: neither can force a capture.
    {"king_against_king_apart", "W:WK22:BK11", qv::Outcome::draw, 0},
    // The black king on the edge has two ways out; K14-10 (or any waiting move) covers both
    // and the next move takes it.
    {"two_kings_against_one", "W:WK3,K14:BK9", qv::Outcome::win, 3},
    // 05-02 crowns, the cornered king must step to 05 and is taken.
    {"man_crowns_by_force", "W:W5:BK1", qv::Outcome::win, 3},
    // Only 21-18 wins: 14x21 is forced, 25x18, then 9-13 18x9; 21-17 draws.
    {"won_only_by_a_sacrifice", "W:W21,25:B9,14", qv::Outcome::win, 5},
    {"after_the_sacrifice", "B:W18,25:B9,14", qv::Outcome::loss, 4},
    {"without_the_sacrifice", "B:W17,25:B9,14", qv::Outcome::draw, 0},
};

class KnownPosition : public SmallTables, public testing::WithParamInterface<Known> {};

TEST_P(KnownPosition, HasItsValueAndDistance) {
    const Known& k = GetParam();
    qv::Position p;
    std::string error;
    ASSERT_TRUE(qv::parse_fen(k.fen, p, error)) << error;
    const uint8_t v = set->value(p.squares, p.side_to_move);
    EXPECT_EQ(qv::decode_value(v).outcome, k.outcome);
    EXPECT_EQ(qv::decode_value(v).plies, k.plies);
}
INSTANTIATE_TEST_SUITE_P(Perfect, KnownPosition, testing::ValuesIn(KNOWN), qv::test::RowName());

// What a move gives away, as the analysis reports it (the tables read from the program's).
TEST(TableVerdict, NamesTheValueAMoveGaveAway) {
    struct Row {
        const char* before;
        const char* after;
        qv::TableVerdict verdict;
    };
    const Row rows[] = {
        {"W:W21,25:B9,14", "B:W18,25:B9,14", qv::TableVerdict::none},           // the sacrifice
        {"W:W21,25:B9,14", "B:W17,25:B9,14", qv::TableVerdict::win_to_draw},    // 21-17
        {"B:W17,25:B9,14", "W:W17,25:B13,14", qv::TableVerdict::draw_to_loss},  // 09-13
        {"W:W21,25,26,27,28,29:B1,2,3,4,5,6", "B:W17,25:B9,14", qv::TableVerdict::none},
    };
    for (const Row& r : rows) {
        qv::Position a, b;
        std::string error;
        ASSERT_TRUE(qv::parse_fen(r.before, a, error) && qv::parse_fen(r.after, b, error));
        EXPECT_EQ(qv::table_verdict(a.squares, a.side_to_move, b.squares), r.verdict) << r.after;
    }
}

}  // namespace
