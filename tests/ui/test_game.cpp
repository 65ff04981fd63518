// The window as a whole: start-up, navigation, set-up, the end-of-game panel, draw offers,
// captions, no display, the "Probleme" page out of reach.
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "program_dir_fixture.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

TEST_F(WindowTest, StartUpPanelLeadsToTheBoard) {
    EXPECT_TRUE(window->widget("Intro")->isVisible());
    EXPECT_FALSE(window->menuBar()->isVisible());
    EXPECT_TRUE(button("SpeedButton6")->isEnabled());
    EXPECT_TRUE(button("SpeedButton7")->isEnabled());
    screenshot(window.get(), "startup.png");
    start_2d();
    EXPECT_FALSE(window->widget("Intro")->isVisible());
    EXPECT_TRUE(window->menuBar()->isVisible());
    EXPECT_EQ(label("Nbpionsblancs")->text(), " 12");
    EXPECT_EQ(label("Nbpionsnoirs")->text(), " 12");
    EXPECT_EQ(label("Nom_noir")->text(), "Quorvel");
    EXPECT_EQ(label("Nom_blanc")->text(), "Inconnu");
    EXPECT_EQ(label("Panel11")->text(), QString::fromUtf8("Entraînement"));
    EXPECT_EQ(window->widget("Panel6")->y(), 8);
    EXPECT_EQ(window->widget("Panel7")->y(), 428);
    screenshot(window.get(), "board_start.png");
}

TEST_F(WindowTest, TakeBackAndForwardRestoreTheSamePosition) {
    start_2d();
    click_square(sq(5, 7));
    ASSERT_EQ(game.last_ply, 2);
    uint8_t after[33];
    std::memcpy(after, board, sizeof after);
    trigger("Reprendrecoups1");
    trigger("Reprendrecoups1");
    EXPECT_EQ(board[sq(5, 7)], WHITE_MAN);
    trigger("Avancercoups1");
    trigger("Avancercoups1");
    EXPECT_EQ(std::memcmp(board + 1, after + 1, 32), 0);
    EXPECT_EQ(window->move_list()->count(), 1);
}

// After a game, the position set up is a new game: "|<" comes back to it.
TEST_F(WindowTest, SetUpAPositionAndLetTheComputerMoveFirst) {
    start_2d();
    play_a_move();
    play_a_move();
    ASSERT_EQ(game.last_ply, 4);
    trigger("Installeruneposition1");
    EXPECT_EQ(game.setup_mode, 1);
    EXPECT_EQ(window->side_panel()->currentIndex(), 2);
    QTest::mouseClick(button("vider1"), Qt::LeftButton);
    EXPECT_EQ(label("Nbpionsblancs")->text(), "  0");
    QTest::mouseClick(button("SpeedButton10"), Qt::LeftButton);
    click_square(sq(7, 1));
    click_square(sq(6, 2));
    QTest::mouseClick(button("SpeedButton13"), Qt::LeftButton);
    click_square(sq(1, 5));
    EXPECT_EQ(count_pieces().white, 2);
    EXPECT_EQ(board[sq(1, 5)], BLACK_KING);
    EXPECT_TRUE(window->findChild<QLineEdit*>("Blancs")->text().startsWith("Eval stat blancs:"));
    EXPECT_TRUE(window->findChild<QLineEdit*>("Noirs")->text().startsWith("Eval stat noirs:"));
    QTest::mouseClick(button("Couleurjoue"), Qt::LeftButton);
    EXPECT_EQ(button("Couleurjoue")->text(), "Ordinateur joue");
    EXPECT_EQ(game.side_to_move, BLACK);
    window->side_panel()->setCurrentIndex(0);  // leaving the page ends the set-up
    window->run_until_idle();
    EXPECT_EQ(game.setup_mode, 0);
    EXPECT_EQ(game.last_ply, 1) << "the computer moved first";
    EXPECT_EQ(board[sq(1, 5)], EMPTY);
    ASSERT_EQ(window->move_list()->count(), 1);
    QTest::mouseClick(button("SpeedButton1"), Qt::LeftButton);  // "|<"
    EXPECT_EQ(board[sq(1, 5)], BLACK_KING);
}

TEST_F(WindowTest, ResigningShowsTheEndOfGamePanel) {
    start_2d();
    window->AbandonClick();
    QWidget* panel = window->widget("fin_de_parties");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(label("qui_gagne")->text(), "Vous abandonnez, gain QUORVEL");
    ASSERT_EQ(platform.sounds.size(), 1);
    EXPECT_TRUE(platform.sounds[0].endsWith("Perdu.wav"));
    screenshot(window.get(), "end_of_game.png");
}

TEST_F(WindowTest, PersonWinsWhenTheComputerIsLeftWithoutAMove) {
    start_2d();
    put_position({{sq(6, 2), WHITE_MAN}, {sq(5, 1), BLACK_MAN}}, WHITE);
    click_square(sq(6, 2));
    EXPECT_EQ(label("qui_gagne")->text(), "Bravo, vous avez gagné");
}

// After thinking on the person's time the last score is the person's: the computer accepts
// a draw when it stands worse.
TEST_F(WindowTest, DrawOfferAfterThinkingOnThePersonsTimeIsJudgedFromTheComputersSide) {
    start_2d();
    put_position({{sq(6, 2), WHITE_MAN}, {sq(5, 3), WHITE_MAN}, {sq(1, 1), BLACK_MAN}}, WHITE);
    engine.score = 500;  // the person stands better
    game.skip_ponder = 0;
    trigger("Rflexionsurtempsadverse1");
    ASSERT_EQ(engine.score_side, WHITE) << "it thought for the person";
    window->ProposernulClick();
    EXPECT_EQ(game.game_result, DRAWN);
}

TEST(Program, WithoutADisplaySaysSoAndExitsWithOne) {
    QProcess p;
    QProcessEnvironment env;
    env.insert("PATH", "/usr/bin:/bin");
    p.setProcessEnvironment(env);
    p.start(QString(QUORVEL_DATA_DIR) + "/quorvel", {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains("no display")) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1);
}

// Looking up the window's items and widgets by name: an unknown one (a typo in the program)
// stops the program with that name instead of handing back nothing; a probe finds none.
TEST_F(WindowTest, UnknownNamesStopTheProgramAndAProbeFindsNone) {
    EXPECT_EQ(window->find_action("Proposernul"), nullptr);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(window->action("Pause3"), "no action named \"Pause3\"");
    EXPECT_DEATH(window->widget("Proposernull"), "no widget named \"Proposernull\"");
    EXPECT_DEATH(window->child<QRadioButton>("Proposernul"), "no widget named \"Proposernul\"");
}

// The "Probleme" page cannot be reached during a rated match or while the computer thinks.
constexpr int PROBLEM_PAGE = 2;

TEST_F(ProgramDirTest, ProblemPageIsOutOfReachDuringARatedMatch) {
    write_players("Quorvel\r\nAnna\r\n", "2050\r\n1800\r\n");
    start_2d();
    start_rated_match(1);
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
    // Once the match is over the page comes back.
    QTest::mouseClick(button("Abandon1"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_TRUE(side->isTabVisible(PROBLEM_PAGE));
    EXPECT_TRUE(side->isTabEnabled(PROBLEM_PAGE));
}

// Nor can a double click on the move list take the game elsewhere.
TEST_F(WindowTest, ProblemPageAndMoveListAreOutOfReachWhileTheComputerThinks) {
    start_2d();
    play_a_move();
    engine.think_ms = 5000;
    bool looked = false;
    QTimer::singleShot(300, [&] {
        EXPECT_FALSE(window->side_panel()->isTabEnabled(PROBLEM_PAGE));
        window->Installeruneposition1Click();
        window->revenir_n(0);
        looked = game.setup_mode == 0 && game.current_ply == 3;
        window->pause();  // the search ends and plays its move
    });
    play_a_move();
    EXPECT_TRUE(looked);
    EXPECT_TRUE(window->side_panel()->isTabEnabled(PROBLEM_PAGE));
}

}  // namespace
}  // namespace qv::ui::test
