// The end of a game, draw offers, the level-0 handicap and new games.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "board/data_dir.h"
#include "common/case_name.h"
#include "common/fen.h"
#include "files/temp_dir.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

void set_fen(const char* fen) {
    game.side_to_move = static_cast<uint8_t>(test::set_fen(fen));
    store_ply();
}

struct HandicapCase {
    const char* name;
    const char* fen;
    int level;
    int side, legal_count;
    bool single;
    int expected;
};
class Handicap : public ::testing::TestWithParam<HandicapCase> {};

TEST_P(Handicap, SecondMoveOnlyAtLevelZeroWhenAhead) {
    test::fresh_game();
    const HandicapCase c = GetParam();
    set_fen(c.fen);
    select_level(c.level);
    EXPECT_EQ(handicap_choice(0, c.side, c.legal_count, c.single), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Handicap,
    ::testing::Values(HandicapCase{"black_ahead", "B:W21,22:B1,2,3", 0, BLACK, 5, false, 1},
                      HandicapCase{"level_5", "B:W21,22:B1,2,3", 5, BLACK, 5, false, 0},
                      HandicapCase{"one_move", "B:W21,22:B1,2,3", 0, BLACK, 1, false, 0},
                      HandicapCase{"single", "B:W21,22:B1,2,3", 0, BLACK, 5, true, 0},
                      HandicapCase{"even", "B:W21,22,23:B1,2,3", 0, BLACK, 5, false, 0},
                      HandicapCase{"white_ahead", "W:W21,22,23:B1,2", 0, WHITE, 4, false, 1}),
    qv::test::RowName());

// Plays `n` quiet plies as records (no captures) so that the draw offer can look back.
void quiet_history(int n) {
    for (int p = 1; p <= n; ++p) {
        game.current_ply = static_cast<uint8_t>(p);
        game.move_captures = 0;
        store_ply();
    }
    game.last_ply = n;
}

// The computer offers a draw in a king ending of at most four pieces, after more than 20
// plies without a capture, with an undecided score.
TEST(DrawOffer, QuietKingEndingsOnly) {
    const struct {
        const char* fen;
        int plies, capture_at, score;
        bool offered;
    } rows[] = {{"W:WK21,22:B1,2", 21, 0, 0, true},      {"W:WK21,22:B1,2", 21, 0, 29999, true},
                {"W:WK21,22:B1,2", 21, 0, 30000, false}, {"W:WK21,22:B1,2", 21, 0, -30000, false},
                {"W:WK21,22:B1,2", 21, 1, 0, true},      {"W:WK21,22:B1,2", 21, 2, 0, false},
                {"W:WK21,22:B1,2", 20, 0, 0, false},     {"W:WK21,22:B1,2,3", 30, 0, 0, false},
                {"W:W21,22:B1,2", 30, 0, 0, false}};
    for (const auto& r : rows) {
        test::fresh_game();
        set_fen(r.fen);
        quiet_history(r.plies);
        if (r.capture_at) game.game_record[r.capture_at].capture_count = 1;
        EXPECT_EQ(computer_offers_draw(r.score), r.offered)
            << r.fen << " plies " << r.plies << " capture " << r.capture_at << " " << r.score;
    }
}

struct AcceptCase {
    const char* name;
    const char* fen;
    int score_side;  // the computer plays Black
    int score;
    bool accepted;
};
class DrawAcceptance : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(DrawAcceptance, ByPiecesAndScore) {
    test::fresh_game();
    const AcceptCase c = GetParam();
    set_fen(c.fen);
    const TurnEnd e = person_offers_draw(c.score_side, c.score);
    EXPECT_EQ(e.ended, c.accepted);
    if (c.accepted) {
        EXPECT_EQ(e.report.message, Msg::DRAW);
    }
}
constexpr const char* NINETEEN = "W:W20,21,22,23,24,25,26,27,28,29:B1,2,3,4,5,6,7,8,9";
constexpr const char* TWENTY = "W:W20,21,22,23,24,25,26,27,28,29:B1,2,3,4,5,6,7,8,9,10";
INSTANTIATE_TEST_SUITE_P(
    Cases, DrawAcceptance,
    ::testing::Values(AcceptCase{"19_even", NINETEEN, BLACK, 0, true},
                      AcceptCase{"19_behind", NINETEEN, BLACK, -100, true},
                      AcceptCase{"19_ahead", NINETEEN, BLACK, 100, false},
                      AcceptCase{"19_persons_view_even", NINETEEN, WHITE, 0, true},
                      AcceptCase{"19_persons_view_person_ahead", NINETEEN, WHITE, 100, true},
                      AcceptCase{"19_persons_view_person_behind", NINETEEN, WHITE, -1, false},
                      AcceptCase{"20_behind", TWENTY, BLACK, -5000, false},
                      AcceptCase{"20_persons_view", TWENTY, WHITE, 5000, false},
                      AcceptCase{"24", START_FEN, BLACK, 0, false}),
    qv::test::RowName());

TEST(EndOfGame, ComputerWithoutMoveLosesToThePerson) {
    test::fresh_game();
    game.vs_computer = 1;
    game.computer_colour = BLACK;
    // White's man takes Black's last piece.
    set_fen("W:W22:B18");
    const Move m = test::find_move("22x13");
    play_move(m);
    TurnEnd e = after_person_move(m.from, m.to, m.captures, 1000);
    EXPECT_FALSE(e.ended);
    EXPECT_EQ(game.computer_to_move, 1);
    e = computer_cannot_move();
    ASSERT_TRUE(e.ended);
    EXPECT_EQ(e.report.result, 2);
    EXPECT_EQ(e.report.message, Msg::YOU_WON);
    EXPECT_EQ(e.report.sound, Sound::gagne);
    EXPECT_EQ(game.game_result, 2);
}

TEST(ComputerTurn, MovePlayedIsRecordedAndThePersonsClockStarts) {
    test::fresh_game();
    game.vs_computer = 1;
    test::play("23-19", 1000);
    ASSERT_EQ(game.computer_to_move, 1);
    ASSERT_GT(legal_moves(game.side_to_move), 0);
    const TurnEnd e = computer_move_played(move_lists[1][0], 0, 1234);
    EXPECT_FALSE(e.ended);
    EXPECT_EQ(game.current_ply, 2);
    EXPECT_EQ(game.side_to_move, WHITE);
    EXPECT_EQ(game.computer_to_move, 0);
    EXPECT_EQ(clocks.white_turn_start, 1234);
    EXPECT_EQ(game.list_lines.size(), 1u);
    EXPECT_EQ(game.list_lines[0].substr(0, 9), " 1.23-19 ");
    EXPECT_EQ(game.totals_by_ply[2], 24);
    EXPECT_EQ(0, std::memcmp(board, shown_board, sizeof board));
}

TEST(ComputerTurn, ComputerTakesTheLastPieceAndWins) {
    test::fresh_game();
    game.vs_computer = 1;
    game.computer_colour = BLACK;
    set_fen("B:W22:B18");
    ASSERT_EQ(legal_moves(BLACK), 1);
    const TurnEnd e = computer_move_played(move_lists[1][0], 0, 1000);
    ASSERT_TRUE(e.ended);
    EXPECT_EQ(e.report.result, 0);
    EXPECT_EQ(e.report.message, Msg::COMPUTER_WON);
    EXPECT_EQ(e.report.sound, Sound::perdu);
    EXPECT_EQ(game.list_lines, std::vector<std::string>{" 1.18x27 "});
}

TEST(EndOfGame, TwoPeopleAndReasons) {
    test::fresh_game();
    game.computer_colour = BLACK;
    EndReport r;
    r = end_of_game(EndReason::person_resigned);
    EXPECT_EQ(r.message, Msg::YOU_RESIGN);
    EXPECT_EQ(r.result, 0);
    r = end_of_game(EndReason::computer_out_of_time);
    EXPECT_EQ(r.message, Msg::TIME_OUT_YOU_WIN);
    EXPECT_EQ(r.result, 2);
    r = end_of_game(EndReason::person_out_of_time);
    EXPECT_EQ(r.result, 0);
    r = end_of_game(EndReason::agreed_draw);
    EXPECT_EQ(r.result, 1);
    EXPECT_TRUE(r.clear_result_labels);
}

TEST(EndOfGame, TwoPeopleWinnerMessageAndRatedReportOnlyOnce) {
    test::fresh_game();
    set_fen("B:W22:B18");
    const TurnEnd e = test::play("18x27");
    ASSERT_TRUE(e.ended);
    EXPECT_EQ(e.report.result, 0);
    EXPECT_EQ(e.report.message, Msg::BLACK_WINS);
    game.game_state = 5;
    EXPECT_FALSE(end_of_game(EndReason::person_moved).reported);
}

class RatedMatch : public test::TempDirTest {
  protected:
    fs::path saved_program_dir;
    void SetUp() override {
        saved_program_dir = program_dir();
        std::ofstream(dir / "joueurs.dat", std::ios::binary)
            << "Quorvel\r\nInconnu\r\nSelbrun\r\nAnna\r\n";
        std::ofstream(dir / "points.dat", std::ios::binary) << "2050\r\n1500\r\n1950\r\n1800\r\n";
        set_program_dir(dir);
        test::fresh_game();
    }
    void TearDown() override { set_program_dir(saved_program_dir); }
    std::string points() { return get("points.dat"); }
};

TEST_F(RatedMatch, BlackWinUpdatesBothRatingsOnce) {
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    ASSERT_TRUE(start_match(t, "Anna", 3, false, 1000));
    EXPECT_EQ(game.game_state, 1);
    EXPECT_EQ(game.white_name, "Anna");
    EXPECT_EQ(game.black_name, "Quorvel");
    EXPECT_EQ(match.white_rating, 1800);
    EXPECT_EQ(match.black_rating, 2050);
    const EndReport r = person_resigns();
    EXPECT_EQ(r.result, 0);
    ASSERT_TRUE(r.ratings_changed);
    EXPECT_EQ(r.white_rating.name, "Anna");
    EXPECT_EQ(r.white_rating.before, 1800);
    EXPECT_EQ(r.white_rating.after, 1789);
    EXPECT_EQ(r.black_rating.name, "Quorvel");
    EXPECT_EQ(r.black_rating.before, 2050);
    EXPECT_EQ(r.black_rating.after, 2061);
    EXPECT_TRUE(r.ratings_written);
    EXPECT_EQ(points(), "2061\r\n1500\r\n1950\r\n1789\r\n");
    EXPECT_EQ(game.game_state, 0);
}

TEST_F(RatedMatch, TimeOutDuringTheComputersMoveStillRecordsThatMove) {
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    ASSERT_TRUE(start_match(t, "Anna", 3, false, 1000));
    select_level(11);
    test::play("23-19", 1000);
    clocks.black_clock = 500;
    ASSERT_GT(legal_moves(BLACK), 0);
    const Move m = move_lists[1][0];
    const TurnEnd e = computer_move_played(move_lists[1][0], 0, 1000);
    ASSERT_TRUE(e.ended);
    EXPECT_EQ(e.report.message, Msg::TIME_OUT_YOU_WIN);
    EXPECT_EQ(game.game_record[2].from, m.from);
    EXPECT_EQ(game.game_record[2].to, m.to);
    EXPECT_EQ(game.game_state, FREE_GAME);  // play goes on unrated
}

TEST_F(RatedMatch, WinnerByPositionIsNamed) {
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    ASSERT_TRUE(start_match(t, "Anna", 3, false, 1000));
    set_fen("W:W22:B18");
    const Move m = test::find_move("22x13");
    play_move(m);
    after_person_move(m.from, m.to, m.captures, 1000);
    const TurnEnd e = computer_cannot_move();
    ASSERT_TRUE(e.ended);
    EXPECT_EQ(e.report.message, Msg::PLAYER_WINS);
    EXPECT_EQ(e.report.winner_name, "Anna");
    EXPECT_EQ(game.game_state, 5);
    EXPECT_EQ(points(), "2028\r\n1500\r\n1950\r\n1822\r\n");
}

TEST_F(RatedMatch, InconnuPlaysAt1500AndComputerWhiteSwaps) {
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    ASSERT_TRUE(start_match(t, "Inconnu", 1, true, 1000));
    EXPECT_EQ(game.white_name, "Quorvel");
    EXPECT_EQ(game.black_name, "Inconnu");
    EXPECT_EQ(game.computer_colour, WHITE);
    EXPECT_EQ(game.computer_to_move, 1);
    EXPECT_EQ(match.black_rating, 1500);
    EXPECT_EQ(match.white_rating, 2050);
    EXPECT_EQ(match.black_player_index, 1);
    EXPECT_EQ(match.white_player_index, 0);
}

TEST_F(RatedMatch, EmptyNameStartsNothingAndSelbrunPlaysUnrated) {
    PlayersTable t;
    ASSERT_TRUE(read_players(dir, t));
    game.game_state = 0;
    EXPECT_FALSE(start_match(t, "", 1, false, 1000));
    EXPECT_EQ(game.game_state, 0);
    ASSERT_TRUE(start_match(t, "Selbrun", 2, false, 1000));
    EXPECT_TRUE(game.computer_vs_computer);
    EXPECT_EQ(game.game_state, 0);
    EXPECT_TRUE(game.stop_on_click);
}

TEST_F(RatedMatch, TrainingNeverWritesRatings) {
    start_new_game();
    EXPECT_EQ(game.game_result, 3);
    start_training("Anna", false, 1000);
    EXPECT_EQ(game.game_state, 0);
    const EndReport r = end_of_game(EndReason::agreed_draw);
    EXPECT_FALSE(r.ratings_written);
    EXPECT_EQ(points(), "2050\r\n1500\r\n1950\r\n1800\r\n");
}

TEST(TwoPeople, NamesMustBePresentDifferentAndNotTheComputer) {
    test::fresh_game();
    EXPECT_FALSE(start_two_players("Anna", "", 3, 4, 1000));
    EXPECT_FALSE(start_two_players("Anna", "Anna", 3, 3, 1000));
    EXPECT_FALSE(start_two_players("Quorvel", "Anna", 0, 3, 1000));
    ASSERT_TRUE(start_two_players("Anna", "Bruno", 3, -1, 1000));
    EXPECT_EQ(game.vs_computer, 0);
    EXPECT_EQ(game.white_name, "Anna");
}

TEST(ComputerAgainstItself, DrawAfter250PliesWhenNothingChanges) {
    test::fresh_game();
    game.computer_vs_computer = true;
    game.current_ply = 251;
    game.totals_by_ply[251] = 6;
    game.totals_by_ply[191] = 6;
    EXPECT_TRUE(computer_vs_computer_draw(19999));
    EXPECT_FALSE(computer_vs_computer_draw(20000));
    game.totals_by_ply[191] = 7;
    EXPECT_FALSE(computer_vs_computer_draw(0));
    game.totals_by_ply[191] = 6;
    game.current_ply = 250;
    game.totals_by_ply[250] = 6;
    game.totals_by_ply[190] = 6;
    EXPECT_FALSE(computer_vs_computer_draw(0));
    game.current_ply = 251;
    game.computer_vs_computer = false;
    EXPECT_FALSE(computer_vs_computer_draw(0));
}

TEST(SetUp, CouleurJoueTwiceAndVider) {
    test::fresh_game();
    const uint8_t ctm = game.computer_to_move, side = game.side_to_move;
    Couleur_joue();
    Couleur_joue();
    EXPECT_EQ(game.computer_to_move, ctm);
    EXPECT_EQ(game.side_to_move, side);
    vider();
    EXPECT_EQ(count_pieces().white + count_pieces().black, 0);
}

// A rated match cannot survive a change of the position outside play.
struct SetUpCommand {
    const char* name;
    void (*run)();
};
class SetUpUnrates : public ::testing::TestWithParam<SetUpCommand> {};
TEST_P(SetUpUnrates, RatedMatchBecomesFree) {
    test::fresh_game();
    game.game_state = 1;
    GetParam().run();
    EXPECT_EQ(game.game_state, 0);
}
INSTANTIATE_TEST_SUITE_P(Commands, SetUpUnrates,
                         ::testing::Values(SetUpCommand{"vider", [] { vider(); }},
                                           SetUpCommand{"remplir", [] { remplir(5); }},
                                           SetUpCommand{"Couleur_joue", [] { Couleur_joue(); }},
                                           SetUpCommand{"Change_couleur", [] { Change_couleur(); }},
                                           SetUpCommand{"place_piece",
                                                        [] { place_piece(17, WHITE_KING); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetUp, PlacingStoresTheSquareAndEmptyRemovesIt) {
    test::fresh_game();
    ASSERT_TRUE(place_piece(17, BLACK_KING));
    EXPECT_EQ(game.game_record[0].squares[17], BLACK_KING);
    ASSERT_TRUE(place_piece(17, EMPTY));
    EXPECT_EQ(shown_board[17], EMPTY);
    EXPECT_FALSE(place_piece(0, WHITE_MAN));
    EXPECT_FALSE(place_piece(33, WHITE_MAN));
    EXPECT_FALSE(place_piece(5, 7));
    EXPECT_EQ(board[0], OFF_BOARD);
}

// After a game, a change in set-up makes a new game: nothing of the old record is left,
// the next move is number 1 and "|<" comes back to the position set up, Black to move.
TEST(SetUp, APositionSetUpStartsAFreshRecord) {
    test::fresh_game();
    ASSERT_EQ(test::play_pseudo_random(9, 7), 9);
    clocks.white_clock = 40;
    toggle_setup_mode();
    ASSERT_TRUE(place_piece(17, WHITE_KING));
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_EQ(game.last_ply, 0);
    EXPECT_TRUE(game.list_lines.empty());
    EXPECT_EQ(clocks.white_clock, 0);
    if (game.side_to_move == WHITE) Couleur_joue();
    uint8_t set_up[33];
    std::memcpy(set_up, board, sizeof board);
    toggle_setup_mode();
    const int n = legal_moves(BLACK);
    ASSERT_GT(n, 0);
    const Move m = move_lists[1][n - 1];
    play_move(m);
    after_person_move(m.from, m.to, m.captures, 1000);
    ASSERT_EQ(game.list_lines.size(), 1u);
    EXPECT_EQ(game.list_lines[0].substr(0, 3), " 1.");
    revenir_debut(1000);
    EXPECT_EQ(0, std::memcmp(board + 1, set_up + 1, 32));
    EXPECT_EQ(game.side_to_move, BLACK);
}

TEST(SetUp, LeavingSetUpLetsTheComputerMoveIfItWasToMove) {
    test::fresh_game();
    game.computer_to_move = 1;
    EXPECT_TRUE(toggle_setup_mode());
    EXPECT_EQ(game.computer_to_move, 0);
    EXPECT_EQ(game.computer_requested, 1);
    EXPECT_FALSE(toggle_setup_mode());
    EXPECT_EQ(game.setup_mode, 0);
}

TEST_F(RatedMatch, ComputerOverItsLimitLosesOnTime) {
    game.vs_computer = 1;
    game.game_state = 1;
    game.computer_colour = BLACK;
    game.side_to_move = BLACK;
    match.white_rating = 1750;
    match.black_rating = 2050;
    match.white_player_index = 3;
    match.black_player_index = 0;
    select_level(11);
    clocks.black_clock = 181;
    TurnEnd e = begin_computer_turn();
    ASSERT_TRUE(e.ended);
    EXPECT_EQ(e.report.message, Msg::TIME_OUT_YOU_WIN);
    EXPECT_EQ(e.report.result, 2);
    EXPECT_TRUE(e.report.ratings_written);
    EXPECT_EQ(points().substr(0, 6), "2023\r\n");  // 351, 17, 19, 22, +5
}

}  // namespace
}  // namespace qv
