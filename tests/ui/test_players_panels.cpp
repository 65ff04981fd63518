// The new-game dialog's player and rating lists, "Ramener Quorvel à 2050", the draw and
// resign buttons of a rated match, and "A propos".
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include "program_dir_fixture.h"

namespace qv::ui::test {
namespace {

QStringList lines_of(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

class PlayersPanels : public ProgramDirTest {
  protected:
    void SetUp() override {
        ProgramDirTest::SetUp();
        write_players("Quorvel\r\nAnna\r\nBruno\r\n", "2113\r\n1800\r\n1650\r\n");
        start_2d();
        trigger("Nouveau2");
    }
    QListWidget* list(const char* name) { return window->findChild<QListWidget*>(name); }
    QTabWidget* pages() { return window->findChild<QTabWidget*>("Pages_nouveau"); }
};

TEST_F(PlayersPanels, EveryPageShowsThePlayersWithTheirRatings) {
    const QStringList names = {"Quorvel", "Anna", "Bruno"};
    const QStringList ratings = {"2113", "1800", "1650"};
    for (const char* n : {"ListBox8", "ListBox9", "ListBox10", "ListBox11"})
        EXPECT_EQ(lines_of(list(n)), names) << n;
    for (const char* n : {"ListBox12", "ListBox13", "ListBox14"})
        EXPECT_EQ(lines_of(list(n)), ratings) << n;
    screenshot(window.get(), "new_game_training.png");
}

TEST_F(PlayersPanels, RamenerQuorvelRewritesTheRatingsFile) {
    pages()->setCurrentIndex(1);
    list("ListBox9")->setCurrentRow(1);
    ASSERT_EQ(window->findChild<QLineEdit*>("Joueur1")->text(), "Anna");
    screenshot(window.get(), "new_game_match.png");
    QTest::mouseClick(button("RamenerTarnavel"), Qt::LeftButton);
    for (const char* n : {"ListBox12", "ListBox13", "ListBox14"})
        EXPECT_EQ(list(n)->item(0)->text(), "2050") << n;
    EXPECT_TRUE(window->findChild<QLineEdit*>("Joueur1")->text().isEmpty());
    EXPECT_EQ(slurp(program_dir() / "points.dat"), "2050\r\n1800\r\n1650\r\n");
    EXPECT_EQ(slurp(program_dir() / "joueurs.dat"), "Quorvel\r\nAnna\r\nBruno\r\n");
}

TEST_F(PlayersPanels, TwoPeopleArePickedFromTheListsButNeverTheComputer) {
    pages()->setCurrentIndex(2);
    list("ListBox10")->setCurrentRow(1);
    list("ListBox11")->setCurrentRow(0);
    EXPECT_EQ(window->findChild<QLineEdit*>("Joueur2")->text(), "Anna");
    EXPECT_EQ(window->findChild<QLineEdit*>("Joueur3")->text(), "Quorvel");
    screenshot(window.get(), "new_game_two_people.png");
    QTest::mouseClick(button("BitBtn17"), Qt::LeftButton);
    EXPECT_TRUE(window->widget("Nouvelle_partie")->isVisible()) << "line 0 does not play";
    list("ListBox11")->setCurrentRow(2);
    QTest::mouseClick(button("BitBtn17"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_FALSE(window->widget("Nouvelle_partie")->isVisible());
    EXPECT_EQ(label("Nom_blanc")->text(), "Anna");
    EXPECT_EQ(label("Nom_noir")->text(), "Bruno");
    EXPECT_EQ(game.vs_computer, 0);
    EXPECT_TRUE(window->action("Humaincontrehumain1")->isChecked());
}

// "Proposer nul" and the three resign buttons belong to a rated match.
TEST_F(PlayersPanels, DrawAndResignButtonsOnlyInARatedMatch) {
    start_rated_match(1);
    EXPECT_FALSE(window->action("Lancerunesession1")->isEnabled());
    EXPECT_FALSE(button("Proposernul")->isHidden());
    EXPECT_TRUE(button("Abandon1")->isVisible());
    window->side_panel()->setCurrentIndex(1);
    EXPECT_TRUE(button("Abandon3")->isVisible());
    screenshot(window.get(), "rated_match.png");
    QTest::mouseClick(button("Abandon3"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_EQ(game.game_state, 0);
    EXPECT_EQ(slurp(program_dir() / "points.dat"), "2125\r\n1788\r\n1650\r\n");
    EXPECT_TRUE(label("Resultat_blanc")->text().contains("passe de 1800"));
}

// A typed name with no line chosen plays on a line of its own, here with the computer
// White: line 0 is only ever the computer's.
TEST_F(PlayersPanels, TypedNameGetsItsOwnLineAndLineZeroStaysTheComputers) {
    pages()->setCurrentIndex(1);
    window->findChild<QLineEdit*>("Joueur1")->setText("Chloe");
    window->findChild<QRadioButton*>("Tarnavel_blanc1")->setChecked(true);
    QTest::mouseClick(button("BitBtn16"), Qt::LeftButton);
    window->run_until_idle();
    ASSERT_EQ(game.game_state, 1);
    EXPECT_EQ(match.black_rating, 1800);
    window->AbandonClick();
    EXPECT_EQ(slurp(program_dir() / "joueurs.dat"), "Quorvel\r\nAnna\r\nBruno\r\nChloe\r\n");
    EXPECT_EQ(slurp(program_dir() / "points.dat"), "2127\r\n1800\r\n1650\r\n1786\r\n");
}

TEST_F(WindowTest, AproposShowsNameVersionAndLicence) {
    start_2d();
    trigger("Apropos1");
    QWidget* about = window->widget("Apropos");
    ASSERT_TRUE(about->isVisible());
    EXPECT_EQ(label("Apropos_nom")->text(), "Quorvel");
    EXPECT_TRUE(label("Apropos_version")->text().contains("version 0.1"));
    EXPECT_FALSE(label("Apropos_licence")->text().isEmpty());
    // The build makes the tables of four pieces or fewer, not the five-piece ones.
    EXPECT_TRUE(label("Apropos_tables")->text().contains("4 pi"));
    EXPECT_TRUE(label("Apropos_tables")->text().contains("--pieces 5"));
    screenshot(window.get(), "a_propos.png");
    QTest::mouseClick(button("BitBtn26"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace qv::ui::test
