// The "Probleme" page cannot be reached during a rated match or while the computer thinks.
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>

#include "program_dir_fixture.h"

namespace qv::ui::test {
namespace {

constexpr int PROBLEM_PAGE = 2;

TEST_F(ProgramDirTest, ProblemPageIsOutOfReachDuringARatedMatch) {
    write_players("Quorvel\r\nAnna\r\n", "2050\r\n1800\r\n");
    start_2d();
    start_rated_match(1);
    ASSERT_EQ(game.game_state, 1);
    QTabWidget* side = window->side_panel();
    EXPECT_FALSE(side->isTabVisible(PROBLEM_PAGE));
    // Neither the page, nor the menu entry, nor the set-up commands give an extra move.
    side->setCurrentIndex(PROBLEM_PAGE);
    window->run_until_idle();
    EXPECT_EQ(game.setup_mode, 0);
    EXPECT_NE(side->currentIndex(), PROBLEM_PAGE);
    window->Installeruneposition1Click();
    window->Entrerpositionclick();
    EXPECT_EQ(game.setup_mode, 0);
    const uint8_t side_to_move = game.side_to_move;
    window->Couleur_joue();
    window->Change_couleur();
    window->vider();
    EXPECT_EQ(game.side_to_move, side_to_move);
    EXPECT_EQ(board[square_of_label(1)], BLACK_MAN);
    EXPECT_EQ(game.game_state, 1);
    // Once the match is over the page comes back.
    QTest::mouseClick(button("Abandon1"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_TRUE(side->isTabVisible(PROBLEM_PAGE));
    EXPECT_TRUE(side->isTabEnabled(PROBLEM_PAGE));
}

TEST_F(WindowTest, ProblemPageIsOutOfReachWhileTheComputerThinks) {
    start_2d();
    engine.think_ms = 5000;
    bool looked = false;
    QTimer::singleShot(300, [&] {
        QTabWidget* side = window->side_panel();
        EXPECT_EQ(session.searching, 1);
        EXPECT_FALSE(side->isTabEnabled(PROBLEM_PAGE));
        side->setCurrentIndex(PROBLEM_PAGE);
        EXPECT_NE(side->currentIndex(), PROBLEM_PAGE);
        window->Installeruneposition1Click();
        window->Couleur_joue();
        EXPECT_EQ(game.setup_mode, 0);
        EXPECT_EQ(game.side_to_move, BLACK);
        looked = true;
        window->pause();  // the search ends and plays its move
    });
    play_a_move();
    EXPECT_TRUE(looked);
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_TRUE(window->side_panel()->isTabEnabled(PROBLEM_PAGE));
}

}  // namespace
}  // namespace qv::ui::test
