// The players files and the rating update.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "common/case_name.h"
#include "files/temp_dir.h"
#include "game/match_stats.h"
#include "game/players.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

struct RatingCase {
    const char* name;
    int32_t white, black;
    int result;
    int32_t new_white, new_black;
};
class Ratings : public ::testing::TestWithParam<RatingCase> {};

TEST_P(Ratings, IntegerStepsInOrder) {
    const RatingCase c = GetParam();
    const RatingUpdate u = update_ratings(c.white, c.black, c.result);
    EXPECT_TRUE(u.applied);
    EXPECT_EQ(u.white, c.new_white);
    EXPECT_EQ(u.black, c.new_black);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Ratings,
    ::testing::Values(
        RatingCase{"stronger_black_wins", 1800, 2050, 0, 1789, 2061},  // 219,10,8,7,6,+5
        RatingCase{"weaker_white_wins", 1800, 2050, 2, 1822, 2028},    // 284,14,15,17,+5
        RatingCase{"stronger_white_wins", 2050, 1800, 2, 2062, 1788},  // 219,10,8,7,+5
        RatingCase{"equal_white_wins", 1900, 1900, 2, 1905, 1895},
        RatingCase{"equal_black_wins", 1900, 1900, 0, 1895, 1905},
        RatingCase{"equal_draw", 1900, 1900, 1, 1900, 1900},
        RatingCase{"draw_weaker_white", 1800, 2050, 1, 1825, 2025},
        RatingCase{"draw_weaker_black", 2050, 1800, 1, 2025, 1825}),
    qv::test::RowName());

TEST(Ratings, ZeroOrNegativeRatingsChangeNothing) {
    for (auto [w, b] : {std::pair{0, 1800}, std::pair{1800, 0}, std::pair{-5, 1800}}) {
        const RatingUpdate u = update_ratings(w, b, 0);
        EXPECT_FALSE(u.applied);
        EXPECT_EQ(u.white, w);
        EXPECT_EQ(u.black, b);
    }
}

TEST(Ratings, AbsurdRatingsDoNotOverflow) {
    const RatingUpdate u = update_ratings(2000000000, 1, 0);
    EXPECT_TRUE(u.applied);
    EXPECT_LE(u.white, 2000000000);
}

class PlayersFiles : public test::TempDirTest {};

TEST_F(PlayersFiles, ShippedTableHasTheComputersAndInconnu) {
    PlayersTable t;
    ASSERT_TRUE(read_players(QUORVEL_DATA_DIR, t));
    ASSERT_GE(t.names.size(), 3u);
    EXPECT_EQ(t.names[0], "Quorvel");
    EXPECT_EQ(rating_value(t.ratings[0]), 2050);
    const auto at = [&](const char* n) {
        return std::find(t.names.begin(), t.names.end(), n) - t.names.begin();
    };
    EXPECT_LT(at("Inconnu"), static_cast<long>(t.names.size()));
    EXPECT_LT(at("Selbrun"), static_cast<long>(t.names.size()));
    EXPECT_EQ(t.names.size(), t.ratings.size());
}

// A rated match's person has a line of their own, never the computer's line 0.
TEST(PlayersTable, PersonLineIsTheNamesOwnOrANewOne) {
    const struct {
        const char* name;
        int selected;
        int line;
        int added_rating;  // 0: nothing added
    } rows[] = {{"Marc", 2, 2, 0},     {"Marc", -1, 2, 0},   {"Marc", 0, 2, 0},
                {"Inconnu", 2, 1, 0},  {"Zoe", -1, 3, 1800}, {"Paul", 1, 3, 1800},
                {"Quorvel", 0, -1, 0}, {"", -1, -1, 0}};
    for (const auto& r : rows) {
        PlayersTable t{{"Quorvel", "Inconnu", "Marc"}, {"2050", "1900", "1650"}};
        EXPECT_EQ(person_line(t, r.name, r.selected), r.line) << r.name << " " << r.selected;
        ASSERT_EQ(t.names.size(), r.added_rating ? 4u : 3u) << r.name;
        if (r.added_rating) {
            EXPECT_EQ(t.names[3], r.name);
            EXPECT_EQ(rating_value(t.ratings[3]), r.added_rating);
        }
    }
}

TEST_F(PlayersFiles, AddPlayerAppendsAFourCharacterRatingLine) {
    put("joueurs.dat", "Quorvel\r\nAnna\r\n");
    put("points.dat", "2050\r\n1720\r\n");
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    EXPECT_FALSE(add_player(t, "", 1600));
    ASSERT_TRUE(add_player(t, "Bruno", 800));
    ASSERT_TRUE(write_players(dir, t));
    EXPECT_EQ(get("joueurs.dat"), "Quorvel\r\nAnna\r\nBruno\r\n");
    EXPECT_EQ(get("points.dat"), "2050\r\n1720\r\n 800\r\n");
    EXPECT_FALSE(fs::exists(dir / "points.dat.tmp"));
}

TEST_F(PlayersFiles, DeletingLineZeroIsRefusedLineThreeGoesWithItsRating) {
    PlayersTable t;
    t.names = {"Quorvel", "A", "B", "C", "D"};
    t.ratings = {"2050", "1", "2", "3", "4"};
    EXPECT_FALSE(delete_player(t, 0));
    EXPECT_FALSE(delete_player(t, 5));
    EXPECT_FALSE(delete_player(t, -1));
    EXPECT_EQ(t.names.size(), 5u);
    ASSERT_TRUE(delete_player(t, 3));
    EXPECT_EQ(t.names, (std::vector<std::string>{"Quorvel", "A", "B", "D"}));
    EXPECT_EQ(t.ratings, (std::vector<std::string>{"2050", "1", "2", "4"}));
}

TEST_F(PlayersFiles, UnequalFilesAreRealigned) {
    put("joueurs.dat", "Quorvel\r\nAnna\r\nBruno\r\n");
    put("points.dat", "2050\r\n1720\r\n");
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    EXPECT_EQ(t.ratings, (std::vector<std::string>{"2050", "1720", "1500"}));
    put("points.dat", "2050\n1720\n1600\n1700\n");
    ASSERT_TRUE(read_players(dir, t));
    EXPECT_EQ(t.ratings.size(), 3u);
}

TEST_F(PlayersFiles, OversizedFileIsRefusedAndTheTableStays) {
    put("joueurs.dat", std::string(3 << 20, 'a'));
    PlayersTable t = players_from_text("Quorvel\r\nAnna", "2050\r\n1800");
    EXPECT_FALSE(read_players(dir, t));
    EXPECT_EQ(t.names, (std::vector<std::string>{"Quorvel", "Anna"}));
}

TEST_F(PlayersFiles, MissingFilesGiveTheComputerAlone) {
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    EXPECT_EQ(t.names, std::vector<std::string>{"Quorvel"});
    EXPECT_EQ(t.ratings, std::vector<std::string>{"2050"});
}

TEST_F(PlayersFiles, ComputerBackTo2050) {
    PlayersTable t;
    t.names = {"Quorvel", "A"};
    t.ratings = {"2171", "1600"};
    reset_computer_rating(t);
    EXPECT_EQ(t.ratings, (std::vector<std::string>{"2050", "1600"}));
}

TEST_F(PlayersFiles, RatingsThatAreNotNumbersReadAsZero) {
    EXPECT_EQ(rating_value("abc"), 0);
    EXPECT_EQ(rating_value(" 800"), 800);
    EXPECT_EQ(rating_value("1750"), 1750);
}

// Match statistics: Elo difference, its 95% interval and the likelihood of superiority
// for scores whose values are known.
TEST(EloOfScore, KnownPoints) {
    EXPECT_DOUBLE_EQ(elo_of_score(0.5), 0);
    EXPECT_NEAR(elo_of_score(0.75), 400 * std::log10(3.0), 1e-9);  // 3 points of 4: +190.8
    EXPECT_NEAR(elo_of_score(0.25), -400 * std::log10(3.0), 1e-9);
    EXPECT_EQ(elo_of_score(1), INFINITY);
    EXPECT_EQ(elo_of_score(0), -INFINITY);
}

struct StatsCase {
    const char* name;
    MatchScore score;
    double elo, low, high, los;
};
class Estimate : public ::testing::TestWithParam<StatsCase> {};
TEST_P(Estimate, EloIntervalAndLikelihood) {
    const StatsCase& c = GetParam();
    const EloEstimate e = estimate_elo(c.score);
    const auto near = [](double got, double want) {
        if (std::isinf(want)) return got == want;
        return std::abs(got - want) < 0.05;
    };
    EXPECT_TRUE(near(e.elo, c.elo)) << e.elo;
    EXPECT_TRUE(near(e.low, c.low)) << e.low;
    EXPECT_TRUE(near(e.high, c.high)) << e.high;
    EXPECT_NEAR(e.los, c.los, 1e-4);
    EXPECT_LE(e.low, e.elo);
    EXPECT_GE(e.high, e.elo);
}
INSTANTIATE_TEST_SUITE_P(
    Scores, Estimate,
    ::testing::Values(StatsCase{"no_games", {0, 0, 0}, 0, 0, 0, 0.5},
                      StatsCase{"all_draws", {0, 10, 0}, 0, 0, 0, 0.5},
                      StatsCase{"seventy_percent", {60, 20, 20}, 147.19, 86.23, 218.25, 0.999996},
                      StatsCase{"slightly_behind", {10, 80, 12}, -6.81, -38.25, 24.51, 0.3349},
                      StatsCase{"clean_sweep", {5, 0, 0}, INFINITY, INFINITY, INFINITY, 0.98733},
                      StatsCase{"one_loss_in_four", {3, 0, 1}, 190.85, -126.45, INFINITY, 0.84134}),
    test::RowName());

}  // namespace
}  // namespace qv
