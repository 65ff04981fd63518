// A learning session in the window: the computer plays itself at a short fixed depth,
// each finished game is analysed and learnt, the next one starts, until "Arrêter la
// session". Also the shipped lessons and problems opened from their folder.
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <filesystem>

#include "board/data_dir.h"
#include "board/fen.h"
#include "real_search_fixture.h"
#include "ui/form4.h"

namespace qv::ui::test {
namespace {

// Self-play at depth 2, so that whole games go by quickly.
class LearningSession : public RealSearchTest {
  protected:
    LearningSession() : RealSearchTest(2) {}
    QTemporaryDir dir;
};

TEST_F(LearningSession, PlaysAnalysesAndLearnsGameAfterGameUntilStopped) {
    platform.next_file = dir.filePath("session.dal");
    // The first game from an ending White wins in three plies (two kings against one: a game
    // won in one ply would end and restart within one pass); the next ones from the start
    // position.
    Position ending;
    std::string error;
    ASSERT_TRUE(parse_fen("W:WK3,K14:BK9", ending, error));
    set_position(ending);
    game.side_to_move = WHITE;
    store_ply();
    EXPECT_TRUE(enabled("Lancerunesession1"));
    EXPECT_FALSE(enabled("Arrterlasession1"));
    window.action("Lancerunesession1")->trigger();
    EXPECT_TRUE(game.learning_session);
    EXPECT_TRUE(checked("Ordinateurcontreordinateur1"));
    EXPECT_FALSE(checked("Humaincontrehumain1"));
    EXPECT_FALSE(enabled("Lancerunesession1"));
    EXPECT_TRUE(enabled("Arrterlasession1"));
    EXPECT_GE(clocks.time_budget, 500);

    // One pass is one move; a game that ends is analysed and learnt in the same pass.
    int games = 0;
    int first_game = 0;
    int longest = 0;
    int analysed_lines = 0;
    for (int pass = 0; pass < 1200 && games < 2; ++pass) {
        const int before = game.last_ply;
        window.run_until_idle(1);
        if (game.last_ply < before) {  // a new game has begun
            if (++games == 1) first_game = before;
            longest = std::max(longest, before);
            analysed_lines = static_cast<int>(analysis.lines.size());
            EXPECT_EQ(game.last_ply, 0);
            EXPECT_FALSE(window.form4()->isVisible());
            EXPECT_FALSE(window.widget("fin_de_parties")->isVisible());
            EXPECT_FALSE(window.widget("Learn")->isVisible());
            EXPECT_TRUE(checked("Ordinateurcontreordinateur1"));
        }
    }
    ASSERT_EQ(games, 2);
    EXPECT_LT(first_game, 6);  // plies seen before the pass that ended it
    EXPECT_GT(longest, 20);
    EXPECT_GT(analysed_lines, 10);  // the last game was analysed move by move
    // Learning files are written only for balanced games over 20 plies.
    EXPECT_TRUE(platform.errors.isEmpty());

    // Stopped in the middle of the third game: it goes no further.
    window.run_until_idle(4);
    window.action("Arrterlasession1")->trigger();
    EXPECT_FALSE(game.learning_session);
    EXPECT_FALSE(checked("Ordinateurcontreordinateur1"));
    EXPECT_TRUE(enabled("Lancerunesession1"));
    EXPECT_FALSE(enabled("Arrterlasession1"));
    window.run_until_idle();
    const int stopped_at = game.last_ply;
    window.run_until_idle(20);
    EXPECT_EQ(game.last_ply, stopped_at);
}

// The shipped set as the person sees it: a lesson and a problem opened from Problemes.
TEST_F(LearningSession, ShippedLessonAndProblemOpenInTheWindow) {
    const auto problems = data_path("Problemes");
    struct Case {
        const char* file;
        const char* screenshot;
        const char* commentary;  // how it begins
    };
    for (const Case& c : {Case{"lecon08_dame_rencontree.dam", "shipped_lesson.png", "Leçon 8"},
                          Case{"probleme10.dam", "shipped_problem.png", "Problème 10"}}) {
        platform.next_file = QString::fromStdString((problems / c.file).string());
        trigger("Problmes1");
        EXPECT_TRUE(platform.errors.isEmpty()) << c.file;
        EXPECT_TRUE(window.child<QPlainTextEdit>("LessonText")
                        ->toPlainText()
                        .startsWith(QString::fromUtf8(c.commentary)));
        EXPECT_TRUE(button("Panel13")->isVisible());
        EXPECT_EQ(window.move_list()->currentRow(), -1);  // standing before the first move
        screenshot(&window, c.screenshot);
    }
}

}  // namespace
}  // namespace qv::ui::test
