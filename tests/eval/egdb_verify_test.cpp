// The check of the nineteen tables against the rules catches planted faults, and the command
// passes the shipped tables (whose every entry the perfect-play tables confirm as well).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "board/data_dir.h"
#include "common/case_name.h"
#include "eval/egdb_store.h"
#include "eval/egdb_verify.h"

namespace {

int table_named(const std::string& name) {
    for (int t = 0; t < qv::ENDGAME_TABLE_COUNT; ++t)
        if (name == qv::TABLE_LAYOUTS[t].name) return t;
    return -1;
}

class GeneratedTables : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        tables = std::make_unique<qv::EndgameTables>();
        ASSERT_EQ(qv::load_tables_from(QUORVEL_DATA_DIR, *tables), qv::ENDGAME_TABLE_COUNT);
    }
    static void TearDownTestSuite() { tables.reset(); }
    static std::unique_ptr<qv::EndgameTables> tables;
};
std::unique_ptr<qv::EndgameTables> GeneratedTables::tables;

enum class Pick { FIRST_WIN, FIRST_DRAW, FIRST_LONG_LOSS, FIRST_LOST_NOW, NO_POSITION };

struct Fault {
    const char* name;
    const char* table;
    Pick pick;
    int change;  // added to the byte, or the new byte for a draw, LOST_NOW or non-position
};

const Fault FAULTS[] = {
    {"win_longer", "ddop.ita", Pick::FIRST_WIN, +2},
    {"win_shorter", "ddop.ita", Pick::FIRST_WIN, -2},
    {"draw_as_win", "dod.chb", Pick::FIRST_DRAW, 1},
    {"draw_as_loss", "dod.chb", Pick::FIRST_DRAW, -1},
    {"loss_shorter", "dodd.chb", Pick::FIRST_LONG_LOSS, +2},
    {"loss_longer", "dodd.chb", Pick::FIRST_LONG_LOSS, -2},
    {"blocked_as_draw", "pop.ita", Pick::FIRST_LOST_NOW, 0},
    {"blocked_as_loss_in_1", "pod.ita", Pick::FIRST_LOST_NOW, -1},
    {"byte_without_position", "dod.chb", Pick::NO_POSITION, 3},
};

class PlantedFault : public GeneratedTables, public testing::WithParamInterface<Fault> {};

TEST_P(PlantedFault, IsFound) {
    const Fault& f = GetParam();
    const int t = table_named(f.table);
    ASSERT_GE(t, 0);
    int8_t* bytes = tables->table(t);
    uint8_t squares[33];
    int at = -1;
    for (int i = 0; i < qv::TABLE_LAYOUTS[t].size && at < 0; ++i) {
        const bool legal = qv::position_of_entry(t, i, squares);
        const int8_t v = bytes[i];
        switch (f.pick) {
            case Pick::FIRST_WIN:
                at = legal && v > 2 ? i : -1;
                break;
            case Pick::FIRST_DRAW:
                at = legal && v == 0 ? i : -1;
                break;
            case Pick::FIRST_LONG_LOSS:
                at = legal && v < -2 && v != qv::LOST_NOW ? i : -1;
                break;
            case Pick::FIRST_LOST_NOW:
                at = v == qv::LOST_NOW ? i : -1;
                break;
            case Pick::NO_POSITION:
                at = legal ? -1 : i;
                break;
        }
    }
    ASSERT_GE(at, 0) << f.table;
    const int8_t saved = bytes[at];
    const bool relative = f.pick == Pick::FIRST_WIN || f.pick == Pick::FIRST_LONG_LOSS;
    bytes[at] = static_cast<int8_t>(relative ? saved + f.change : f.change);
    qv::TableSummary s;
    std::string error;
    EXPECT_FALSE(qv::verify_table(*tables, t, s, error)) << f.table << " index " << at;
    EXPECT_NE(error.find(std::to_string(at)), std::string::npos) << error;
    bytes[at] = saved;
}

INSTANTIATE_TEST_SUITE_P(Verify, PlantedFault, testing::ValuesIn(FAULTS), qv::test::RowName());

// The command over the shipped files: one line per table, exit status 0.
TEST(EgdbCommand, VerifiesAllNineteen) {
    const std::string cli = (std::filesystem::path(QUORVEL_DATA_DIR) / "quorvel-cli").string();
    std::FILE* out = popen((cli + " egdb verify " + QUORVEL_DATA_DIR).c_str(), "r");
    ASSERT_NE(out, nullptr);
    char line[512];
    int t = 0;
    while (std::fgets(line, sizeof line, out)) {
        if (t == qv::ENDGAME_TABLE_COUNT) continue;  // then the perfect-play tables
        const std::string name = qv::TABLE_LAYOUTS[t++].name;
        EXPECT_EQ(std::string(line).rfind(name + " ", 0), 0u) << line;
    }
    EXPECT_EQ(pclose(out), 0);
    EXPECT_EQ(t, qv::ENDGAME_TABLE_COUNT);
}

}  // namespace
