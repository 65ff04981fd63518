// The slot of an index key: the remainder by the entry count, worked out without a division.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "search/tt.h"

namespace qv {
namespace {

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
