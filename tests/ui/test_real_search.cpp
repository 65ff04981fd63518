// The window against the engine's own search: a long search stopped, and self-play.
#include <QElapsedTimer>
#include <QTimer>

#include "real_search_fixture.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

using RealSearch = RealSearchTest;

// A level with minutes per move: the stop button ends the search and its move is played.
TEST_F(RealSearch, StopButtonEndsALongSearch) {
    window.action("N7longlong1")->trigger();
    window.action("Bibliothquesactives1")->setChecked(false);
    search.library_enabled = 0;  // no opening-list answer: a real search
    window.run_until_idle();
    QElapsedTimer since_click;
    QTimer::singleShot(1500, [&] {
        // The "Calcul" page in the middle of a real search.
        window.side_panel()->setCurrentIndex(1);
        screenshot(&window, "calcul_real_search.png");
        since_click.start();
        QTest::mouseClick(button("Joue"), Qt::LeftButton);
    });
    click_square(square_from_cell(5, 7));
    ASSERT_TRUE(since_click.isValid()) << "the search ended before the button was pressed";
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_GT(window.progress_list()->count(), 0) << "the search wrote its progress lines";
    std::printf("search stopped; its move was on the board %lld ms after the click\n",
                static_cast<long long>(since_click.elapsed()));
}

// "Ordinateur contre ordinateur" ticked by hand from the menu, outside a learning session.
class SelfPlay : public WindowTest {
  protected:
    bool ticked() { return window->action("Ordinateurcontreordinateur1")->isChecked(); }
};

TEST_F(SelfPlay, TheTickSurvivesTheComputersMovesUntilItIsTakenOff) {
    start_2d();
    window->action("Ordinateurcontreordinateur1")->trigger();
    window->run_until_idle(6);
    EXPECT_TRUE(ticked()) << "a computer move took the tick away";
    EXPECT_GE(game.last_ply, 4) << "the computer plays both sides";

    window->action("Ordinateurcontreordinateur1")->trigger();
    window->run_until_idle();
    const int ply = game.last_ply;
    EXPECT_FALSE(ticked());
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, ply) << "play stops with the tick";
}

}  // namespace
}  // namespace qv::ui::test
