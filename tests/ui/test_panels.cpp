// Levels and clocks, numbering, the draw and handicap panels, swapping players, names,
// text files, printing, the generated sounds.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

#include "common/case_name.h"
#include "program_dir_fixture.h"

namespace qv::ui::test {
namespace {

// Each entry selects its level (the values of each level are the clocks' business): the
// minutes shown, the one tick, and the engine told.
struct LevelCase {
    const char* item;
    int index;
    const char* minutes;
};
class Levels : public WindowTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(Levels, SelectTickAndTellTheEngine) {
    const LevelCase c = GetParam();
    start_2d();
    trigger(c.item);
    EXPECT_EQ(window->level_index(), c.index);
    EXPECT_EQ(window->findChild<QLineEdit*>("Nbminutes")->text(), c.minutes);
    int ticked = 0;  // in the level menu and its submenu
    for (QAction* a : window->findChild<QMenu*>("Niveau1")->findChildren<QAction*>())
        if (a->isChecked()) ++ticked;
    EXPECT_EQ(ticked, 1);
    EXPECT_EQ(engine.time_budget, window->time_budget());
}

INSTANTIATE_TEST_SUITE_P(Menu, Levels,
                         ::testing::Values(LevelCase{"Dbutant1", 0, "1"},
                                           LevelCase{"Niveau01", 1, "1"},
                                           LevelCase{"Niveau081", 8, "30"},
                                           LevelCase{"N150coupsen3mn1", 11, "3"},
                                           LevelCase{"N7longlong1", 17, "500"}),
                         qv::test::NameBy<&LevelCase::item>());

// "Autre" takes digits only; a refused value is in the dialog table below.
TEST_F(WindowTest, OtherTimeControlTakesDigitsAndTicksAutre) {
    start_2d();
    trigger("N8Autre1");
    auto* minutes = window->findChild<QLineEdit*>("Nbminutes");
    minutes->clear();
    QTest::keyClicks(minutes, "abc4");
    EXPECT_EQ(minutes->text(), "4") << "digits only";
    QTest::mouseClick(button("BitBtn24"), Qt::LeftButton);
    EXPECT_FALSE(window->widget("Panel9")->isVisible());
    EXPECT_EQ(window->level_index(), 18);
    EXPECT_EQ(engine.time_budget, window->time_budget());
    EXPECT_TRUE(window->action("N8Autre1")->isChecked());
}

TEST_F(WindowTest, NumberingWritesLabelsAndFlippingMovesThem) {
    start_2d();
    const QPoint label_spot = square_corner(4) + QPoint(8, 52);
    const QColor before = window->board_widget()->pixel(label_spot);
    trigger("Numroterlescase1");
    EXPECT_TRUE(window->action("Numroterlescase1")->isChecked());
    EXPECT_EQ(window->board_widget()->pixel(square_corner(4) + QPoint(1, 58)),
              QColor(0xC0, 0xC0, 0xC0));
    EXPECT_NE(window->board_widget()->pixel(label_spot), before);
    trigger("Numroterlescase1");
    EXPECT_EQ(window->board_widget()->pixel(label_spot), before);
}

// "Proposer nul" belongs to a rated match: refused with twenty pieces or more, accepted in
// an even ending.
TEST_F(ProgramDirTest, DrawProposedIsRefusedOrAccepted) {
    write_players("Quorvel\r\nAnna\r\n", "2050\r\n1800\r\n");
    start_2d();
    start_rated_match(1);
    QTest::mouseClick(button("Proposernul"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_TRUE(window->widget("Nulrefus")->isVisible());
    click_square(sq(5, 7));  // any click hides it
    EXPECT_FALSE(window->widget("Nulrefus")->isVisible());
    put_position({{sq(6, 2), WHITE_KING}, {sq(1, 1), BLACK_KING}}, WHITE);
    engine.score = 0;
    QTest::mouseClick(button("Proposernul"), Qt::LeftButton);
    EXPECT_EQ(label("qui_gagne")->text(), "Match nul !");
}

TEST_F(WindowTest, NeophyteLevelPlaysTheSecondMoveWhenAPieceUp) {
    start_2d();
    trigger("Dbutant1");
    // Black (the computer) has two men against one and more than one move.
    put_position({{sq(7, 7), WHITE_MAN}, {sq(0, 0), BLACK_MAN}, {sq(0, 4), BLACK_MAN}}, WHITE);
    click_square(sq(7, 7));
    ASSERT_EQ(game.last_ply, 2);
    EXPECT_TRUE(window->widget("Zut")->isVisible());
    EXPECT_EQ(label("Zut")->text(), "Zut ! ce n'est pas cela que je voulais jouer.");
    const QWidget* board = window->board_widget();
    const QRect board_area(board->mapTo(window.get(), QPoint()), board->size());
    const QRect remark(label("Zut")->mapTo(window.get(), QPoint()), label("Zut")->size());
    EXPECT_FALSE(remark.intersects(board_area)) << "the remark leaves the board visible";
    screenshot(window.get(), "neophyte_remark.png");
}

// One dialog panel at a time: while one is open the commands that open the others are
// greyed; a refused input says why; Escape cancels.
struct DialogCase {
    const char* name;
    const char* opener;
    const char* panel;
    void (*refused_input)(MainWindow&);  // nullptr: nothing to refuse
    const char* ok;
    const char* refusal_line;
    const char* why;
};
class Dialogs : public ProgramDirTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(Dialogs, LockTheOthersSayWhyAndEscapeCancels) {
    const DialogCase c = GetParam();
    write_players("Quorvel\r\nAnna\r\n", "2050\r\n1800\r\n");
    start_2d();
    const char* openers[] = {"Nouveau2",        "Match21",  "Effacerunjoueur1",
                             "Changerlesnoms1", "N8Autre1", "Apropos1"};
    trigger(c.opener);
    QWidget* panel = window->widget(c.panel);
    ASSERT_TRUE(panel->isVisible());
    for (const char* o : openers) EXPECT_FALSE(window->action(o)->isEnabled()) << o;
    if (c.refused_input) {
        c.refused_input(*window);
        QTest::mouseClick(button(c.ok), Qt::LeftButton);
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(label(c.refusal_line)->text(), QString::fromUtf8(c.why));
        screenshot(window.get(), (std::string("refused_") + c.name + ".png").c_str());
    }
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : window.get(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    for (const char* o : openers) EXPECT_TRUE(window->action(o)->isEnabled()) << o;
}
INSTANTIATE_TEST_SUITE_P(
    Panels, Dialogs,
    ::testing::Values(
        DialogCase{"delete_the_computer", "Effacerunjoueur1", "Efface_j",
                   [](MainWindow& w) { w.child<QListWidget>("ListBox15")->setCurrentRow(0); },
                   "BitBtn20", "Refus_efface",
                   "Quorvel est l'ordinateur : il ne peut pas être effacé."},
        DialogCase{"new_player_without_name", "Match21", "Nouveau_joueur", [](MainWindow&) {},
                   "BitBtn7", "Refus_joueur", "Entrez un nom."},
        DialogCase{"two_people_alike", "Nouveau2", "Nouvelle_partie",
                   [](MainWindow& w) {
                       w.child<QTabWidget>("Pages_nouveau")->setCurrentIndex(2);
                       w.child<QLineEdit>("Joueur2")->setText("Anna");
                       w.child<QLineEdit>("Joueur3")->setText("Anna");
                   },
                   "BitBtn17", "Refus_nouveau",
                   "Les deux joueurs doivent avoir des noms différents."},
        DialogCase{"names", "Changerlesnoms1", "Joueurs", nullptr, "", "", ""},
        DialogCase{"minutes", "N8Autre1", "Panel9",
                   [](MainWindow& w) { w.child<QLineEdit>("Nbminutes")->setText("0"); }, "BitBtn24",
                   "Refus_minutes", "Entrez un nombre entier de minutes, 1 ou plus."}),
    qv::test::RowName());

TEST_F(WindowTest, SwappingPlayersLetsTheComputerPlayAtOnce) {
    start_2d();
    trigger("Inverserlesjoueurs1");
    EXPECT_EQ(game.last_ply, 1) << "the computer played White's first move";
    EXPECT_EQ(game.computer_colour, WHITE);
    EXPECT_EQ(game.side_to_move, BLACK);
}

TEST_F(WindowTest, ChangingNamesKeepsNineteenCharacters) {
    start_2d();
    trigger("Changerlesnoms1");
    window->findChild<QLineEdit*>("Edit2")->setText("Alessandra Bianchini-Rossi");
    window->findChild<QLineEdit*>("Edit3")->setText("Bruno");
    QTest::mouseClick(button("OKjoueur"), Qt::LeftButton);
    EXPECT_EQ(label("Nom_blanc")->text().size(), 19);
    EXPECT_EQ(label("Nom_noir")->text(), "Bruno");
}

// The text file carries the names on screen (its moves are the text files' business).
TEST_F(WindowTest, TextFileHoldsTheNames) {
    start_2d();
    click_square(sq(5, 7));
    QTemporaryDir dir;
    platform.next_file = dir.filePath("partie.txt");
    trigger("Crerunfichiertexte1");
    QFile f(platform.next_file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("Inconnu-Quorvel \r\n"));
}

TEST_F(WindowTest, PrintingToAPdfWritesAFileNamedAfterTheGame) {
    start_2d();
    click_square(sq(5, 7));
    QTemporaryDir dir;
    platform.pdf_path = dir.filePath("partie.pdf");
    trigger("Imprimer1");
    EXPECT_EQ(platform.doc_name, "Inconnu-Quorvel");
    QFile f(platform.pdf_path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    EXPECT_TRUE(platform.errors.isEmpty());
}

// "Editer coups" says what it wrote, or why it wrote nothing.
TEST_F(ProgramDirTest, BestMovesSayWhatWasWritten) {
    start_2d();
    QTest::mouseClick(button("Button9"), Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(program_dir() / "Bestmove.txt"));
    ASSERT_EQ(platform.infos.size(), 1);
    EXPECT_TRUE(platform.infos[0].startsWith("Rien n'a été écrit"))
        << platform.infos[0].toStdString();
    play_a_move();
    QTest::mouseClick(button("Button9"), Qt::LeftButton);
    const int lines = window->progress_list()->count();
    ASSERT_GT(lines, 0);
    EXPECT_EQ(platform.infos.last(),
              QString("%1 lignes du calcul écrites dans %2")
                  .arg(lines)
                  .arg(QString::fromStdString((program_dir() / "Bestmove.txt").string())));
}

// The generated sounds are 16-bit mono PCM wave files of a fraction of a second.
class Sounds : public ::testing::TestWithParam<const char*> {};
TEST_P(Sounds, AreShortPcmWaves) {
    QFile f(QString(QUORVEL_DATA_DIR) + "/" + GetParam());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray d = f.readAll();
    ASSERT_GE(d.size(), 44);
    EXPECT_EQ(d.left(4), "RIFF");
    EXPECT_EQ(d.mid(8, 8), "WAVEfmt ");
    auto u16 = [&](int at) { return uint8_t(d[at]) | uint8_t(d[at + 1]) << 8; };
    EXPECT_EQ(u16(20), 1);   // PCM
    EXPECT_EQ(u16(22), 1);   // mono
    EXPECT_EQ(u16(34), 16);  // bits
    const double seconds = (d.size() - 44) / 2.0 / 22050;
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 1.5);
}
INSTANTIATE_TEST_SUITE_P(Files, Sounds, ::testing::Values("son.wav", "gagne.wav", "Perdu.wav"),
                         qv::test::TextName());

TEST(Sound, RefusesWhatIsNotAWaveFile) {
    EXPECT_FALSE(play_wave_file(QString(QUORVEL_SOURCE_DIR) + "/CMakeLists.txt"));
    EXPECT_FALSE(play_wave_file("/nonexistent/son.wav"));
}

}  // namespace
}  // namespace qv::ui::test
