// "Ordinateur contre ordinateur" ticked by hand from the menu, outside a learning session.
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

class SelfPlay : public WindowTest {
  protected:
    bool ticked() { return window->action("Ordinateurcontreordinateur1")->isChecked(); }
};

TEST_F(SelfPlay, TheTickSurvivesTheComputersMovesUntilItIsTakenOff) {
    start_2d();
    window->action("Ordinateurcontreordinateur1")->trigger();
    window->run_until_idle(6);
    EXPECT_TRUE(ticked()) << "a computer move took the tick away";
    EXPECT_TRUE(game.computer_vs_computer);
    EXPECT_GE(game.last_ply, 4) << "the computer plays both sides";

    window->action("Ordinateurcontreordinateur1")->trigger();
    window->run_until_idle();
    const int ply = game.last_ply;
    EXPECT_FALSE(ticked());
    EXPECT_FALSE(game.computer_vs_computer);
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, ply) << "play stops with the tick";
}

}  // namespace
}  // namespace qv::ui::test
