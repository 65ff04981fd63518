// Game files from the window: save and open, the resume file, a rated match's ratings.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>

#include "board/data_dir.h"
#include "ui/captions.h"
#include "program_dir_fixture.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

TEST_F(WindowTest, SaveNewGameOpenShowsTheSamePositionAndList) {
    start_2d();
    play_a_move();
    play_a_move();
    ASSERT_EQ(game.last_ply, 4);
    uint8_t saved[33];
    std::memcpy(saved, board, sizeof saved);
    const std::vector<std::string> lines = {list_line(0), list_line(1)};
    QTemporaryDir dir;
    platform.next_file = dir.filePath("partie.dam");
    trigger("Espanol1");  // the language in force goes with the game
    trigger("Sauver1");
    QFile file(platform.next_file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(file.size(), 22442);
    EXPECT_EQ(int(file.readAll()[22386]), SPANISH);

    trigger("Nouveau2");
    QTest::mouseClick(button("BitBtn15"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, 0);
    EXPECT_EQ(window->move_list()->count(), 0);

    trigger("Ouvrir1");  // what the file holds is the file tests' business
    EXPECT_EQ(game.last_ply, 4);
    EXPECT_EQ(std::memcmp(shown_board + 1, saved + 1, 32), 0);
    EXPECT_EQ(list_line(1), lines[1]);
}

TEST_F(ProgramDirTest, QuitWritesTheResumeFileAndTheNextStartResumesIt) {
    const auto resume = program_dir() / "last32.dam";
    start_2d();
    play_a_move();
    ASSERT_EQ(game.last_ply, 2);
    uint8_t left[33];
    std::memcpy(left, board, sizeof left);
    trigger("Quitter1");
    ASSERT_TRUE(std::filesystem::exists(resume));
    EXPECT_EQ(std::filesystem::file_size(resume), 22442u);

    // A new start of the window on the 2D board begins a new game...
    WindowTest::TearDown();
    WindowTest::SetUp();
    start_2d();
    EXPECT_EQ(game.last_ply, 0);
    // ...and on a perspective board resumes the game left at the last exit.
    WindowTest::TearDown();
    WindowTest::SetUp();
    QTest::mouseClick(button("SpeedButton7"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_EQ(std::memcmp(board + 1, left + 1, 32), 0);
    EXPECT_EQ(window->move_list()->count(), 1);
}

TEST_F(WindowTest, TextFileOfTwoGamesOffersAChoiceAndReplaysTheChosenOne) {
    start_2d();
    QTemporaryDir dir;
    platform.next_file = dir.filePath("deux.txt");
    QFile f(platform.next_file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Anna-Bruno\r\n 1.22-18 11-15\r\n\r\nCarla-Dario\r\n 1.24-20 12-16\r\n");
    f.close();
    QTimer::singleShot(200, [&] {
        auto* list = window->findChild<QListWidget*>("ListBox16");
        ASSERT_EQ(list->count(), 2);
        list->setCurrentRow(1);
        QTest::mouseClick(button("ListeOK"), Qt::LeftButton);
    });
    trigger("Ouvrirunfichiertexte1");
    EXPECT_EQ(label("Nom_blanc")->text(), "Carla");
    EXPECT_EQ(label("Nom_noir")->text(), "Dario");
    EXPECT_EQ(game.last_ply, 2);
    ASSERT_EQ(window->move_list()->count(), 1);
    EXPECT_EQ(list_line(0), " 1.24-20 12-16");
}

// "Nouveau joueur" and "Effacer un joueur": both files change together, line 0 stays.
TEST_F(ProgramDirTest, PlayersAreAddedAndDeletedWithTheirRatings) {
    const auto names = program_dir() / "joueurs.dat", points = program_dir() / "points.dat";
    write_players("Quorvel\r\nAnna\r\nBruno\r\n", "2050\r\n1800\r\n1700\r\n");
    start_2d();
    auto* name = window->findChild<QLineEdit*>("Joueur");
    trigger("Match21");
    ASSERT_TRUE(window->findChild<QWidget*>("Nouveau_joueur")->isVisible());
    screenshot(window.get(), "new_player.png");
    name->setText("Carla");
    window->findChild<QRadioButton*>("K1600")->setChecked(true);
    QTest::mouseClick(button("BitBtn7"), Qt::LeftButton);
    EXPECT_FALSE(window->findChild<QWidget*>("Nouveau_joueur")->isVisible());
    EXPECT_EQ(slurp(names), "Quorvel\r\nAnna\r\nBruno\r\nCarla\r\n");
    EXPECT_EQ(slurp(points), "2050\r\n1800\r\n1700\r\n1600\r\n");

    trigger("Effacerunjoueur1");
    auto* list = window->findChild<QListWidget*>("ListBox15");
    ASSERT_EQ(list->count(), 4);
    list->setCurrentRow(2);
    screenshot(window.get(), "delete_player.png");
    EXPECT_EQ(window->findChild<QLabel*>("joueur_efface")->text(), "Bruno");
    QTest::mouseClick(button("BitBtn20"), Qt::LeftButton);
    EXPECT_EQ(slurp(names), "Quorvel\r\nAnna\r\nCarla\r\n");
    EXPECT_EQ(slurp(points), "2050\r\n1800\r\n1600\r\n");
    EXPECT_FALSE(window->findChild<QWidget*>("Efface_j")->isVisible());
    EXPECT_TRUE(platform.errors.isEmpty());
}

// "Ouvrir un fichier texte" with PDN that cannot be imported: the message names the game,
// the move number and the move; the game in hand stays.
TEST_F(WindowTest, IllegalPdnMoveIsNamedAndTheGameInHandStays) {
    start_2d();
    play_a_move();
    const int plies = game.last_ply;
    const std::vector<std::string> lines = game.list_lines;
    uint8_t before[33];
    std::memcpy(before, board, sizeof before);
    QTemporaryDir dir;
    platform.next_file = dir.filePath("club.pdn");
    QFile f(platform.next_file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[White \"Anna\"]\r\n[Black \"Bruno\"]\r\n\r\n"
        "1. 23-19 10-14 2. 19x10 5x14 3. 22-19 14x23 4. 27x18 12-15 *\r\n");
    f.close();
    trigger("Ouvrirunfichiertexte1");
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(platform.errors[0],
              QString::fromUtf8("Partie 0, coup 4 : 27x18 n'est pas un coup légal"));
    EXPECT_EQ(game.last_ply, plies);
    EXPECT_EQ(game.list_lines, lines);
    EXPECT_EQ(std::memcmp(board + 1, before + 1, 32), 0);
    EXPECT_NE(label("Nom_blanc")->text(), "Anna");
}

}  // namespace
}  // namespace qv::ui::test
