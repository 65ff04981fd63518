// The window as a whole: start-up, play against the computer, navigation, set-up,
// stopping a search, the new-game and end-of-game panels, captions, no display.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include "ui/captions.h"
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

TEST_F(WindowTest, SeveralMovesAgainstTheComputerAtLevelOne) {
    start_2d();
    trigger("Niveau01");
    EXPECT_TRUE(window->action("Niveau01")->isChecked());
    EXPECT_EQ(engine.time_budget, 2);
    EXPECT_EQ(engine.clock_limit, 58);
    // Three moves of the left-hand men; the computer answers each one.
    for (int round = 0; round < 3; ++round) {
        const int ply = game.last_ply;
        play_a_move();
        ASSERT_EQ(game.last_ply, ply + 2) << "round " << round;
        EXPECT_EQ(game.side_to_move, WHITE);
        EXPECT_EQ(game.computer_to_move, 0);
    }
    EXPECT_EQ(engine.searches, 3);
    EXPECT_EQ(window->move_list()->count(), 3);
    EXPECT_EQ(list_line(0).size(), std::string(" 1.22-18 11-15").size());
    EXPECT_EQ(std::memcmp(board + 1, shown_board + 1, 32), 0);
}

TEST_F(WindowTest, TakeBackAndForwardRestoreTheSamePosition) {
    start_2d();
    click_square(sq(5, 7));
    ASSERT_EQ(game.last_ply, 2);
    uint8_t after[33];
    std::memcpy(after, board, sizeof after);
    trigger("Reprendrecoups1");
    EXPECT_EQ(game.current_ply, 1);
    EXPECT_EQ(game.side_to_move, BLACK);
    trigger("Reprendrecoups1");
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_EQ(board[sq(5, 7)], WHITE_MAN);
    EXPECT_EQ(game.side_to_move, WHITE);
    trigger("Avancercoups1");
    trigger("Avancercoups1");
    EXPECT_EQ(game.current_ply, 2);
    EXPECT_EQ(std::memcmp(board + 1, after + 1, 32), 0);
    EXPECT_EQ(game.side_to_move, WHITE);
    EXPECT_EQ(window->move_list()->count(), 1);
}

TEST_F(WindowTest, SetUpAPositionAndLetTheComputerMoveFirst) {
    start_2d();
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
    click_point({19 + 30, 25 + 60 + 30});  // a light square: nothing changes
    EXPECT_EQ(count_pieces().white, 2);
    EXPECT_EQ(count_pieces().black, 1);
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
    EXPECT_EQ(game.side_to_move, WHITE);
}

TEST_F(WindowTest, CouleurJoueTwiceChangesNothing) {
    start_2d();
    trigger("Installeruneposition1");
    const auto side = game.side_to_move;
    const auto computer = game.computer_to_move;
    QTest::mouseClick(button("Couleurjoue"), Qt::LeftButton);
    QTest::mouseClick(button("Couleurjoue"), Qt::LeftButton);
    EXPECT_EQ(game.side_to_move, side);
    EXPECT_EQ(game.computer_to_move, computer);
}

TEST_F(WindowTest, StopButtonEndsALongSearchAtOnce) {
    start_2d();
    engine.think_ms = 10000;
    QElapsedTimer since_click;
    QTimer::singleShot(400, [&] {
        window->side_panel()->setCurrentIndex(1);
        screenshot(window.get(), "calcul_during_search.png");
        since_click.start();
        QTest::mouseClick(button("Joue"), Qt::LeftButton);
    });
    click_square(sq(5, 7));  // the person's move; the computer then thinks
    ASSERT_GE(engine.stopped_after_ms, 0) << "the search was not stopped";
    EXPECT_LT(engine.stopped_after_ms, 5000) << "a 10-second search ends on the button";
    EXPECT_EQ(game.last_ply, 2) << "the stopped search still plays its best move";
    std::printf("search of up to 10 s stopped %lld ms after the click (move shown at %lld ms)\n",
                static_cast<long long>(engine.stopped_after_ms - 400),
                static_cast<long long>(since_click.elapsed()));
}

TEST_F(WindowTest, NewGameDialogStartsAGameBetweenTwoPeople) {
    start_2d();
    click_square(sq(5, 7));
    trigger("Nouveau2");
    QWidget* dialog = window->widget("Nouvelle_partie");
    ASSERT_TRUE(dialog->isVisible());
    screenshot(window.get(), "new_game_dialog.png");
    auto* tabs = window->findChild<QTabWidget*>("Pages_nouveau");
    tabs->setCurrentIndex(2);
    window->findChild<QLineEdit*>("Joueur2")->setText("Anna");
    window->findChild<QLineEdit*>("Joueur3")->setText("Bruno");
    QTest::mouseClick(button("BitBtn17"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(game.vs_computer, 0);
    EXPECT_EQ(game.last_ply, 0);
    EXPECT_EQ(label("Nom_blanc")->text(), "Anna");
    EXPECT_EQ(label("Nom_noir")->text(), "Bruno");
    EXPECT_TRUE(window->action("Humaincontrehumain1")->isChecked());
}

TEST_F(WindowTest, ResigningShowsTheEndOfGamePanel) {
    start_2d();
    window->AbandonClick();
    QWidget* panel = window->widget("fin_de_parties");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(label("qui_gagne")->text(), "Vous abandonnez, gain QUORVEL");
    EXPECT_EQ(game.game_result, 0) << "the computer plays Black and wins";
    ASSERT_EQ(platform.sounds.size(), 1);
    EXPECT_TRUE(platform.sounds[0].endsWith("Perdu.wav"));
    screenshot(window.get(), "end_of_game.png");
}

TEST_F(WindowTest, PersonWinsWhenTheComputerIsLeftWithoutAMove) {
    start_2d();
    put_position({{sq(6, 2), WHITE_MAN}, {sq(5, 1), BLACK_MAN}}, WHITE);
    click_square(sq(6, 2));
    EXPECT_EQ(label("qui_gagne")->text(), "Bravo, vous avez gagné");
    EXPECT_EQ(game.game_result, 2);
}

// After thinking on the person's time the last score is the person's: the computer refuses
// a draw when it stands better and accepts it when it stands worse.
TEST_F(WindowTest, DrawOfferAfterThinkingOnThePersonsTimeIsJudgedFromTheComputersSide) {
    start_2d();
    put_position({{sq(6, 2), WHITE_MAN}, {sq(5, 3), WHITE_MAN}, {sq(1, 1), BLACK_MAN}}, WHITE);
    trigger("Rflexionsurtempsadverse1");
    for (auto [persons_score, accepted] : {std::pair{-500, false}, {500, true}}) {
        engine.score = persons_score;
        window->hide_draw_refused();
        game.skip_ponder = 0;
        session.pondered = 0;
        window->run_until_idle();
        ASSERT_EQ(engine.score_side, WHITE) << "it thought for the person";
        window->ProposernulClick();
        EXPECT_EQ(window->widget("Nulrefus")->isVisible(), !accepted) << persons_score;
        EXPECT_EQ(game.game_result == DRAWN, accepted) << persons_score;
    }
}

// The window shows every component's text from the caption table (the language tests
// compare each one); these rows pin the French texts themselves.
TEST(CaptionTable, FrenchTextsAndEachSecondaryWindowsCaption) {
    const std::pair<const char*, const char*> rows[] = {
        {"Fichier1", "Fichier"},
        {"Affichage1", "Affichage"},
        {"Ouvertures1", "Paramétrage"},
        {"Niveau01", "1 : Débutant"},
        {"Liste", "Coups joués"},
        {"Calcul", "Calcul"},
        {"Joue", "Arrêter le calcul"},
        {"Zut", "Zut ! ce n'est pas cela que je voulais jouer."},
        {"Nulrefus", "Nul refusé"},
        {"Pause1", "Arrêt du calcul"},
        {"Form4", "Analyse"},
        {"Form5", "Parameters"},
        {"Form2", "White"},
    };
    for (const auto& [component, text] : rows)
        EXPECT_STREQ(caption_of(FRENCH, component), text) << component;
    EXPECT_STREQ(caption_table(FRENCH).front().component, "Fichier1");
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

}  // namespace
}  // namespace qv::ui::test
