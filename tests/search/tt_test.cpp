// Transposition table: probe rules, replacement rules, size steps.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "board/board.h"
#include "common/case_name.h"
#include "common/fen.h"
#include "eval/evaluate.h"
#include "search/engine_start.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace qv {
namespace {

class TtTest : public ::testing::Test {
  protected:
    void SetUp() override {
        start_engine(false);
        set_table_size(100, 2);
        test::set_fen("W:W21,22,23,24,25:B5,6,7,8");
        prepare_evaluation(WHITE);
        compute_keys();
        search.game_ply = 10;
        search.iteration_depth = 6;
    }
};

TEST_F(TtTest, KeysAreTheXorOfThePiecesEntries) {
    uint32_t idx = 0;
    for (int s = 1; s <= 32; ++s)
        if (board[s]) idx ^= hash_state.index_key_table[board[s] * 32 + s];
    EXPECT_EQ(hash_state.index_key, idx);
}

TEST_F(TtTest, ProbeNeedsTheSameAbsolutePly) {
    tt_store(120, 5, KIND_MAX_EXACT, 21, 17);
    ASSERT_NE(tt_probe(5), nullptr);
    EXPECT_EQ(tt_probe(5)->score, 120);
    EXPECT_EQ(tt_probe(7), nullptr);  // same game ply, other search ply
    search.game_ply = 12;
    EXPECT_EQ(tt_probe(5), nullptr);
    EXPECT_EQ(tt_probe(3), nullptr);  // same absolute ply, but horizon 16 < 12 + 6
    search.iteration_depth = 4;
    EXPECT_NE(tt_probe(3), nullptr);  // 12 + 3 == 10 + 5 and 16 >= 12 + 4
}

struct HorizonCase {
    const char* name;
    int stored_depth;
    int probe_depth;
    bool found;
};
class TtHorizon : public TtTest, public ::testing::WithParamInterface<HorizonCase> {};

TEST_P(TtHorizon, FoundByEqualOrLowerIterations) {
    const auto c = GetParam();
    search.iteration_depth = c.stored_depth;
    tt_store(40, 6, KIND_MIN_EXACT, 9, 13);
    search.iteration_depth = c.probe_depth;
    EXPECT_EQ(tt_probe(6) != nullptr, c.found);
}
INSTANTIATE_TEST_SUITE_P(Cases, TtHorizon,
                         ::testing::Values(HorizonCase{"same", 6, 6, true},
                                           HorizonCase{"lower", 6, 3, true},
                                           HorizonCase{"higher", 6, 7, false},
                                           HorizonCase{"one_lower", 9, 8, true}),
                         qv::test::RowName());

TEST_F(TtTest, DecidedEntryKeptAgainstNearbyHorizons) {
    tt_store(31990, 5, KIND_MAX_DECIDED, 21, 17);
    for (int depth : {6, 10, 20, 22}) {
        search.iteration_depth = depth;  // horizon within 16 of 16
        tt_store(100, 5, KIND_MAX_EXACT, 22, 18);
        search.iteration_depth = 6;
        ASSERT_NE(tt_probe(5), nullptr) << depth;
        EXPECT_EQ(tt_probe(5)->score, 31990) << depth;
    }
    search.iteration_depth = 23;  // horizon 33: more than 16 beyond
    tt_store(100, 5, KIND_MAX_EXACT, 22, 18);
    ASSERT_NE(tt_probe(5), nullptr);
    EXPECT_EQ(tt_probe(5)->score, 100);
}

struct ReplaceCase {
    const char* name;
    int old_kind, old_depth, new_kind, new_depth;
    bool replaced;
};
class TtReplace : public TtTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(TtReplace, Rules) {
    const auto c = GetParam();
    search.iteration_depth = c.old_depth;
    tt_store(10, 5, c.old_kind, 1, 5);
    search.iteration_depth = c.new_depth;
    tt_store(20, 5, c.new_kind, 2, 6);
    const TtEntry& e = hash_state.table[hash_state.index_key % hash_state.entry_count];
    EXPECT_EQ(e.score == 20, c.replaced);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, TtReplace,
    ::testing::Values(ReplaceCase{"deeper_horizon", 1, 6, 1, 7, true},
                      ReplaceCase{"exact_kept_at_equal_horizon", 1, 6, 1, 6, false},
                      ReplaceCase{"bound_replaced_at_equal_horizon", 3, 6, 1, 6, true},
                      ReplaceCase{"by_an_exact_one_lower", 3, 6, 1, 5, true},
                      ReplaceCase{"not_by_a_bound_one_lower", 3, 6, 5, 5, false},
                      ReplaceCase{"decided_beats_non_decided", 1, 6, 100, 2, true},
                      ReplaceCase{"same_decided_kind_same_ply", 100, 6, 100, 6, false}),
    qv::test::RowName());

TEST_F(TtTest, NothingStoredWithThreePiecesOrAtHorizon255) {
    test::set_fen("W:W21,22:B5");
    prepare_evaluation(WHITE);
    compute_keys();
    tt_store(10, 5, KIND_MAX_EXACT, 1, 5);
    EXPECT_EQ(tt_probe(5), nullptr);
    SetUp();
    search.game_ply = 250;
    search.iteration_depth = 5;  // horizon 255
    tt_store(10, 3, KIND_MAX_EXACT, 1, 5);
    EXPECT_EQ(tt_probe(3), nullptr);
}

TEST_F(TtTest, SizeStepGivesFreshTableAndSmallIndexKeys) {
    tt_store(10, 5, KIND_MAX_EXACT, 1, 5);
    set_table_size(200, 2);  // "3Mo"
    EXPECT_EQ(hash_state.entry_count, 262000u);
    for (int code = 1; code <= 4; ++code)
        for (int s = 0; s <= 32; ++s) EXPECT_LT(hash_state.index_key_table[code * 32 + s], 262000u);
    compute_keys();
    EXPECT_EQ(tt_probe(5), nullptr);
    for (uint32_t i = 0; i < hash_state.entry_count; i += 997)
        EXPECT_EQ(hash_state.table[i].kind, 0);
    restore_table_size(2000);  // larger than the block in use: a new block
    EXPECT_GE(hash_state.block_entries, 2000u * ENTRIES_PER_UNIT);
    // A damaged saved game's size is not an allocation request.
    for (int16_t damaged : {int16_t{-5}, int16_t{0}, int16_t{LARGEST_SIZE + 1}, int16_t{32767}}) {
        restore_table_size(damaged);
        EXPECT_EQ(hash_state.size_setting, 100) << damaged;
        EXPECT_EQ(hash_state.entry_count, 100u * ENTRIES_PER_UNIT) << damaged;
    }
    set_table_size(100, 2);
}

// The slot of an index key: the remainder by the entry count, worked out without a division.
struct SizeCase {
    const char* name;
    int16_t size;  // menu setting S: S x 1310 entries
};

class TtSlot : public ::testing::TestWithParam<SizeCase> {
  protected:
    void TearDown() override { set_entry_count(100 * ENTRIES_PER_UNIT); }
};

TEST_P(TtSlot, IsTheRemainderOfEveryIndexKey) {
    const uint32_t n = static_cast<uint32_t>(GetParam().size) * ENTRIES_PER_UNIT;
    set_entry_count(n);
    // The edges of the 32-bit range and of the count, then a spread of keys.
    for (uint32_t k : {0u, 1u, n - 1, n, n + 1, 2 * n - 1, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu,
                       0xFFFFFFFFu, 0xFFFFFFFFu / n * n, 0xFFFFFFFFu / n * n - 1})
        ASSERT_EQ(tt_slot(k), k % n) << "key " << k;
    std::mt19937 rng(GetParam().size);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t k = static_cast<uint32_t>(rng());
        ASSERT_EQ(tt_slot(k), k % n) << "key " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(MenuSizes, TtSlot,
                         ::testing::Values(SizeCase{"size_0Mo", 10}, SizeCase{"size_0_7Mo", 50},
                                           SizeCase{"size_1_5Mo", 100}, SizeCase{"size_3Mo", 200},
                                           SizeCase{"size_5Mo", 350}, SizeCase{"size_10Mo", 700},
                                           SizeCase{"size_15Mo", 1000},
                                           SizeCase{"size_25Mo", 2000}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every way the count changes keeps the slot in step with it.
TEST(TtSlotFollowsSize, AfterASizeStepAndARestoredSize) {
    set_table_size(200, 2);
    EXPECT_EQ(tt_slot(0xFFFFFFFFu), 0xFFFFFFFFu % 262000u);
    restore_table_size(700);
    EXPECT_EQ(tt_slot(0xFFFFFFFFu), 0xFFFFFFFFu % 917000u);
    set_table_size(100, 2);
    EXPECT_EQ(tt_slot(123456789u), 123456789u % 131000u);
}

}  // namespace
}  // namespace qv
