// Lessons in the window (the walk, "Suivant ->", "Revoir coup", the commentary panel) and
// learning from a game ("Apprendre ?", "Charger des leçons").
#include <QAction>
#include <QPlainTextEdit>
#include <array>
#include <filesystem>
#include <fstream>

#include "analysis/analysis.h"
#include "files/learning.h"
#include "files/lessons.h"
#include "program_dir_fixture.h"
#include "search/position_table.h"

namespace qv::ui::test {
namespace {

using Squares = std::array<uint8_t, 33>;

Squares shown() {
    Squares s;
    std::copy(shown_board, shown_board + 33, s.begin());
    s[0] = OFF_BOARD;
    return s;
}

class LessonsWindow : public ProgramDirTest {
  protected:
    void SetUp() override {
        ProgramDirTest::SetUp();
        start_2d();
        lesson_walk = LessonWalk{};
        analysis = AnalysisState{};
    }
    std::filesystem::path folder(const char* name) {
        const auto p = program_dir() / name;
        std::filesystem::create_directories(p);
        return p;
    }
    static QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }
    void click(const char* name) {
        QTest::mouseClick(button(name), Qt::LeftButton);
        window->run_until_idle();
    }
    // A game of `plies` plies standing on the same position, the last move White's.
    void record_of(std::initializer_list<std::pair<int, uint8_t>> pieces, int plies) {
        put_position(pieces, BLACK);
        for (int k = 1; k <= plies; ++k) game.game_record[k] = game.game_record[0];
        game.game_record[plies].to = static_cast<uint8_t>(pieces.begin()->first);
        game.last_ply = plies;
    }
};

TEST_F(LessonsWindow, SuivantWrapsRevoirCoupReloadsAndTheCommentaryIsBesideTheBoard) {
    const auto problems = folder("Problemes");
    // Problem A: White wins with the one move recorded, saved standing before it; its
    // commentary in French and English beside it.
    put_position({{sq(5, 1), WHITE_MAN}, {sq(5, 3), WHITE_MAN}, {sq(1, 1), BLACK_MAN}}, WHITE);
    const Squares a_saved = shown();
    PlyRecord& after = game.game_record[1];
    after = game.game_record[0];
    std::swap(after.squares[sq(5, 1)], after.squares[sq(4, 2)]);
    after.from = static_cast<uint8_t>(sq(5, 1));
    after.to = static_cast<uint8_t>(sq(4, 2));
    game.last_ply = 1;
    ASSERT_TRUE(write_game_file(problems / "A.dam"));
    std::ofstream(problems / "A.damt") << "goal: win\r\n[fr]\r\nCherchez.\r\n[solution]\r\n"
                                          "Solution A\r\n[en]\r\nLook.\r\n[solution]\r\nSolved\r\n";
    // Lesson B: another position, no commentary.
    put_position({{sq(6, 2), WHITE_KING}, {sq(0, 2), BLACK_MAN}, {sq(0, 4), BLACK_MAN}}, WHITE);
    const Squares b_saved = shown();
    ASSERT_TRUE(write_game_file(problems / "B.dam"));
    put_position({{sq(7, 1), WHITE_MAN}, {sq(0, 6), BLACK_MAN}}, WHITE);

    auto* text = window->child<QPlainTextEdit>("LessonText");
    auto shows = [text](const char* what) { return text->toPlainText().contains(what); };
    EXPECT_FALSE(button("Panel13")->isVisible());
    window->select_language(1);
    platform.next_file = q(problems / "A.dam");
    trigger("Problmes1");
    EXPECT_EQ(platform.last_dialog_dir, q(problems));
    EXPECT_EQ(shown(), a_saved);
    EXPECT_TRUE(button("Panel13")->isVisible());
    EXPECT_TRUE(button("Panel14")->isVisible());
    // The task and the English text, the solution kept back; beside the move list.
    QWidget* panel = window->widget("LessonPanel");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(label("LessonTask")->text(), "White to play and win");
    EXPECT_TRUE(shows("Look.") && !shows("Solved"));
    EXPECT_EQ(window->move_list()->count(), 0) << "nor is the solution's move listed";
    EXPECT_FALSE(panel->geometry().intersects(window->move_list()->geometry()));
    screenshot(window.get(), "lesson_opened_en.png");

    click("Panel14");  // asked for
    EXPECT_TRUE(shows("Look.") && shows("Solved"));
    EXPECT_EQ(window->move_list()->count(), 1);
    click("Panel13");
    EXPECT_EQ(shown(), b_saved);
    EXPECT_FALSE(label("LessonTask")->isVisible());
    EXPECT_EQ(text->toPlainText(), "This lesson has no commentary.");
    EXPECT_FALSE(button("LessonEditor")->isEnabled());
    click("Panel13");
    EXPECT_EQ(shown(), a_saved);
    EXPECT_FALSE(shows("Solved"));
    trigger("Avancercoups1");  // played through
    EXPECT_EQ(game.current_ply, 1);
    EXPECT_TRUE(shows("Solved"));
    click("Panel14");
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_EQ(game.last_ply, 1);
    EXPECT_EQ(shown(), a_saved);

    // In French, the French section; the editor only when asked, a failure said.
    window->select_language(0);
    EXPECT_EQ(label("LessonTask")->text(), "Les Blancs jouent et gagnent");
    EXPECT_TRUE(shows("Cherchez.") && shows("Solution A"));
    screenshot(window.get(), "lesson_opened_fr.png");
    EXPECT_TRUE(platform.documents.isEmpty());
    platform.opens_documents = false;
    QTest::mouseClick(button("LessonEditor"), Qt::LeftButton);
    EXPECT_EQ(platform.documents, QStringList({q(problems / "A.damt")}));
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains(q(problems / "A.damt")));

    // A lesson never stands in for a rated match: one opened ends it unrated, and
    // "Nouveau" puts the buttons and the commentary away with the move list.
    game.game_state = RATED_MATCH;
    click("Panel14");
    EXPECT_EQ(game.game_state, FREE_GAME);
    const int list_height = window->move_list()->height();
    trigger("Nouveau2");
    EXPECT_FALSE(button("Panel13")->isVisible());
    EXPECT_FALSE(button("Panel14")->isVisible());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_GT(window->move_list()->height(), list_height);
    EXPECT_EQ(window->move_list()->count(), 0);
}

TEST_F(LessonsWindow, ACancelledDialogChangesNothing) {
    put_position({{sq(5, 1), WHITE_MAN}, {sq(1, 1), BLACK_MAN}}, WHITE);
    const Squares before = shown();
    platform.next_file.clear();
    trigger("Problmes1");
    EXPECT_EQ(shown(), before);
    EXPECT_FALSE(button("Panel13")->isVisible());
    EXPECT_TRUE(platform.documents.isEmpty());
}

// Which games can be learnt is tested with the learning file; here a game too short for it.
TEST_F(LessonsWindow, AGameThatCannotBeLearntAsksForNoFile) {
    platform.next_file = q(folder("Parametres") / "appris.dal");
    record_of({{sq(5, 1), WHITE_MAN}, {sq(1, 1), BLACK_MAN}}, 20);
    window->widget("Learn")->show();
    click("Learn_yes");
    EXPECT_FALSE(window->widget("Learn")->isVisible());
    EXPECT_EQ(platform.file_dialogs, 0);
    EXPECT_FALSE(std::filesystem::exists(program_dir() / "Parametres" / "appris.dal"));
}

TEST_F(LessonsWindow, LearntGameIsSavedAndABadTableIsRefused) {
    const auto params = folder("Parametres");
    platform.next_file = q(params / "appris.dal");
    record_of({{sq(5, 1), WHITE_MAN}, {sq(1, 1), BLACK_MAN}}, 30);
    analysis.score_by_ply[30] = 1234;
    window->widget("Learn")->show();
    click("Learn_yes");
    EXPECT_EQ(platform.file_dialogs, 1);
    EXPECT_EQ(platform.last_dialog_dir, q(params));
    ASSERT_TRUE(std::filesystem::exists(params / "appris.dal"));
    EXPECT_EQ(std::filesystem::file_size(params / "appris.dal"), POSITION_TABLE_BYTES);
    const LearnTarget target = learning_target(0);
    ASSERT_NE(probe_position(target.index_key, target.lock_key), nullptr);
    EXPECT_EQ(probe_position(target.index_key, target.lock_key)->score, 1234);

    // One byte short of a table: refused, the table as it was.
    std::ofstream(params / "court.dal", std::ios::binary)
        << std::string(POSITION_TABLE_BYTES - 1, '\0');
    platform.next_file = q(params / "court.dal");
    trigger("Chargerdesleons1");
    EXPECT_EQ(platform.errors, QStringList({QString::fromUtf8("Impossible d'ouvrir ce fichier")}));
    ASSERT_NE(probe_position(target.index_key, target.lock_key), nullptr);
    EXPECT_EQ(probe_position(target.index_key, target.lock_key)->score, 1234);

    // An empty table loads whole.
    std::ofstream(params / "vide.dal", std::ios::binary) << std::string(POSITION_TABLE_BYTES, '\0');
    platform.next_file = q(params / "vide.dal");
    trigger("Chargerdesleons1");
    EXPECT_EQ(platform.errors.size(), 1);
    const PositionEntry* emptied = probe_position(target.index_key, target.lock_key);
    EXPECT_TRUE(emptied == nullptr || emptied->score == 0);  // a score of 0 is no entry
}

}  // namespace
}  // namespace qv::ui::test
