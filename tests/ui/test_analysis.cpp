// The game analysis in the window, with the engine's own search: a phase stopped by
// "Suivant", the lists, going to a line, the text export, the printout and the screenshots.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "analysis/analysis_text.h"
#include "board/file_io.h"
#include "real_search_fixture.h"
#include "ui/captions.h"
#include "ui/form4.h"

namespace qv::ui::test {
namespace {

// Ten plies of a game the program played against itself.
constexpr const char* GAME =
    "first-second\n1. 23-19 10-13 2. 21-18 12-15 3. 19x12 08x15 4. 28-23 13-17 5. 18-13 09x18\n";

class AnalysisWindow : public RealSearchTest {
  protected:
    // Opens the game through "Ouvrir un fichier texte".
    void open_game() {
        const QString path = dir.filePath("game.txt");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(GAME);
        f.close();
        platform.next_file = path;
        trigger("Ouvrirunfichiertexte1");
        ASSERT_EQ(game.last_ply, 10);
        ASSERT_EQ(game.current_ply, 10);
    }
    QStringList texts(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    void click_row(QListWidget* list, int row) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    QTemporaryDir dir;
};

TEST_F(AnalysisWindow, SuivantEndsEachPhaseThenLinesExportPrintAndGoToAPly) {
    open_game();
    // Minutes per position: each phase only ends when "Suivant" is pressed.
    window.action("N7longlong1")->trigger();
    window.action("Bibliothquesactives1")->setChecked(false);
    window.action("Rflexionsurtempsadverse1")->setChecked(true);
    Form4* form = window.form4();
    auto* short_list = window.findChild<QListWidget*>("ListBox6");
    QWidget* panel = window.widget("Panel17");

    // Positions with a single move are not searched; every other search needs a stop.
    int searched = 2;  // the last position, twice
    for (int p = 0; p < 10; ++p) {
        std::memcpy(board + 1, game.game_record[p].squares + 1, 32);
        searched += legal_moves(p % 2 ? BLACK : WHITE) > 1;
    }
    std::memcpy(board, shown_board, sizeof board);
    int clicks = 0;
    bool menus_during = false, ponder_during = true;
    QElapsedTimer since_start;
    since_start.start();
    QTimer suivant;
    suivant.setInterval(150);
    QObject::connect(&suivant, &QTimer::timeout, [&] {
        if (!analysis.running) return;
        ++clicks;
        if (clicks == 6) {
            menus_during = !enabled("Dbuteruneanalyse1") && enabled("Arrtercettephase1") &&
                           enabled("Terminerlanalyse1");
            ponder_during = window.action("Rflexionsurtempsadverse1")->isChecked();
            screenshot(form, "analysis_form4_during.png");
            screenshot(&window, "analysis_panel17_during.png");
        }
        if (since_start.elapsed() > 30000) {
            QTest::mouseClick(form->button("BitBtn4"), Qt::LeftButton);  // give up
            return;
        }
        // Both "Suivant" buttons, and the menu entry, stop the phase.
        if (clicks % 3 == 0)
            QTest::mouseClick(form->button("BitBtn1"), Qt::LeftButton);
        else if (clicks % 3 == 1)
            QTest::mouseClick(window.findChild<QPushButton*>("Button10"), Qt::LeftButton);
        else
            window.action("Arrtercettephase1")->trigger();
    });
    suivant.start();
    window.action("Dbuteruneanalyse1")->trigger();
    suivant.stop();
    std::printf("analysis of 10 plies, %d searches, %d stops in %lld ms\n", searched, clicks,
                static_cast<long long>(since_start.elapsed()));

    EXPECT_GE(clicks, searched);
    EXPECT_LT(since_start.elapsed(), 30000) << "a phase only ends when it is stopped";
    EXPECT_TRUE(menus_during);
    EXPECT_FALSE(ponder_during) << "no thinking on the other's time during the analysis";
    ASSERT_EQ(analysis.lines.size(), 10u);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(panel->isVisible());
    // Form4: the long lines in game order, then the legend; Panel17: the short lines.
    const QStringList long_lines = texts(form->list());
    ASSERT_EQ(long_lines.size(), 11);
    EXPECT_EQ(long_lines[9].toStdString(), analysis_long_line(FRENCH, analysis.lines[9]));
    EXPECT_EQ(short_list->item(9)->text().toStdString(),
              analysis_short_line(FRENCH, analysis.lines[9]));
    EXPECT_EQ(long_lines[10].toStdString(), analysis_legend(FRENCH));
    EXPECT_EQ(long_lines[0].mid(long_lines[0].startsWith('*') ? 1 : 0, 22),
              QString::fromUtf8(" 1 Blanc: joué : 23-19"));
    EXPECT_EQ(form->explanation()->text().toStdString(), analysis_explanation(FRENCH));
    EXPECT_EQ(game.current_ply, 0);
    screenshot(form, "analysis_form4_after.png");
    screenshot(&window, "analysis_panel17_after.png");

    // "Editer analyse": the ten lines, through a temporary file renamed into place.
    platform.next_file = dir.filePath("analyse.txt");
    QTest::mouseClick(form->button("BitBtn2"), Qt::LeftButton);
    std::string written;
    ASSERT_TRUE(read_file_prefix(dir.filePath("analyse.txt").toStdString(), 1 << 20, written));
    std::vector<std::string> expected;
    for (int p = 0; p < 10; ++p) expected.push_back(long_lines[p].toStdString());
    EXPECT_EQ(written, join_lines_crlf(expected));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left";

    // "Imprimer analyse" to a PDF.
    platform.pdf_path = dir.filePath("analyse.pdf");
    QTest::mouseClick(form->button("BitBtn3"), Qt::LeftButton);
    EXPECT_GT(QFile(platform.pdf_path).size(), 0);

    // A click on the line of Black's second move: the position before it, Black to move.
    click_row(short_list, 3);
    EXPECT_EQ(game.current_ply, 3);
    EXPECT_EQ(game.side_to_move, BLACK);
    EXPECT_EQ(std::memcmp(shown_board + 1, game.game_record[3].squares + 1, 32), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(panel->isVisible()) << "the short list stays for the next click";
    EXPECT_TRUE(window.action("Rflexionsurtempsadverse1")->isChecked()) << "restored";
    EXPECT_TRUE(enabled("Dbuteruneanalyse1"));
    EXPECT_FALSE(enabled("Arrtercettephase1"));
    EXPECT_FALSE(enabled("Terminerlanalyse1"));
    QWidget* learn = window.widget("Learn");
    EXPECT_TRUE(learn->isVisible());
    QTest::mouseClick(window.findChild<QPushButton*>("Learn_no"), Qt::LeftButton);
    EXPECT_FALSE(learn->isVisible());

    // White's fourth move: White to move at ply 6.
    click_row(short_list, 6);
    EXPECT_EQ(game.current_ply, 6);
    EXPECT_EQ(game.side_to_move, WHITE);
    QTest::mouseClick(window.findChild<QPushButton*>("Button11"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(AnalysisWindow, FinAnalyseDuringASearchStopsAndRestoresTheMenus) {
    open_game();
    window.action("Niveau01")->trigger();  // depth 3
    window.action("Bibliothquesactives1")->setChecked(false);
    QTimer::singleShot(0, [&] { window.action("Terminerlanalyse1")->trigger(); });
    window.action("Dbuteruneanalyse1")->trigger();
    EXPECT_LT(analysis.lines.size(), 10u);
    EXPECT_FALSE(window.form4()->isVisible());
    EXPECT_FALSE(window.widget("Panel17")->isVisible());
    EXPECT_TRUE(window.widget("Learn")->isVisible());
    EXPECT_TRUE(enabled("Dbuteruneanalyse1"));
    EXPECT_FALSE(enabled("Terminerlanalyse1"));
    // The position shown is the game's at the ply reached, with its side to move.
    const int p = game.current_ply;
    for (int s = 1; s <= 32; ++s) ASSERT_EQ(board[s], game.game_record[p].squares[s]);
    EXPECT_EQ(game.side_to_move, p % 2 ? BLACK : WHITE);
}

}  // namespace
}  // namespace qv::ui::test
