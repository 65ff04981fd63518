// Start-up brings back the last run's level and makes the saved-games folder; "Pause"
// pressed before the first click does not stop the person's clock.
#include <QLineEdit>
#include <QTimer>

#include "board/now.h"
#include "program_dir_fixture.h"

namespace qv::ui::test {
namespace {

int32_t fake_time = 0;

// The window's clock reads this fake time for the length of a test.
class FakeClockTest : public WindowTest {
  protected:
    void SetUp() override {
        fake_time = 100000;
        clock_source() = [] { return fake_time; };
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        clock_source() = nullptr;
    }
};

TEST_F(FakeClockTest, PauseBeforeTheFirstClickThenTheClockRuns) {
    start_2d();
    fake_time += 30;  // time before play begins is nobody's
    trigger("Pause2");
    EXPECT_TRUE(window->action("Pause2")->isChecked());
    fake_time += 20;
    click_square(square_of_label(22));  // the first click takes a piece in hand
    EXPECT_FALSE(window->action("Pause2")->isChecked());
    fake_time += 5;
    window->ajouter_temps();
    EXPECT_EQ(label("minblanc")->text(), "0");
    EXPECT_EQ(label("secblanc")->text(), "05");
    // Pausing and resuming later does not charge the pause.
    trigger("Pause2");
    fake_time += 60;
    trigger("Pause2");
    fake_time += 1;
    window->ajouter_temps();
    EXPECT_EQ(label("secblanc")->text(), "06");
}

struct LevelAtStart {
    const char* item;
    int index;
    int32_t budget;
};
void PrintTo(const LevelAtStart& c, std::ostream* os) {
    *os << c.item;
}
class StartUpLevel : public ProgramDirTest, public ::testing::WithParamInterface<LevelAtStart> {};

// A game left at some level; the next start on the 2D board ticks it again, from the
// start position.
TEST_P(StartUpLevel, LastRunsLevelIsTickedOnThe2DBoard) {
    const LevelAtStart c = GetParam();
    start_2d();
    trigger(c.item);
    play_a_move();
    trigger("Quitter1");
    WindowTest::TearDown();
    WindowTest::SetUp();
    ASSERT_TRUE(select_level(1));  // whatever the process holds, the file decides
    start_2d();
    EXPECT_EQ(game.last_ply, 0);
    EXPECT_TRUE(window->action(c.item)->isChecked());
    EXPECT_EQ(window->level_index(), c.index);
    EXPECT_EQ(window->time_budget(), c.budget);
    EXPECT_EQ(engine.time_budget, c.budget);
}
INSTANTIATE_TEST_SUITE_P(Levels, StartUpLevel,
                         ::testing::Values(LevelAtStart{"Niveau05", 5, 160},
                                           LevelAtStart{"Niveau07", 7, 540},
                                           LevelAtStart{"N250coupsen5mn1", 12, 270}),
                         [](const auto& info) { return std::string(info.param.item); });

TEST_F(ProgramDirTest, StartUpMakesTheSavedGamesFolder) {
    ASSERT_FALSE(std::filesystem::exists(program_dir() / "Sauve"));
    start_2d();
    EXPECT_TRUE(std::filesystem::is_directory(program_dir() / "Sauve"));
}

// Counts the paint events of a window and of everything in it.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    void watch(QWidget* top) {
        top->installEventFilter(this);
        for (QWidget* w : top->findChildren<QWidget*>()) w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The game loop waits for events while nothing happens: an idle window paints nothing.
TEST_F(WindowTest, AnIdleWindowPaintsNothing) {
    start_2d();
    QTest::qWait(200);  // the first paints after start-up
    PaintCounter counter;
    counter.watch(window.get());
    QTimer::singleShot(1500, [] { session.quit_requested = 1; });
    window->game_loop();
    EXPECT_EQ(counter.paints, 0);
}

}  // namespace
}  // namespace qv::ui::test
