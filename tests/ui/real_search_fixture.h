// The window on the 2D board playing with the engine's own search (at a fixed depth when
// one is given).
#pragma once

#include <QDir>

#include "analysis/analysis.h"
#include "files/lessons.h"
#include "search/search_state.h"
#include "ui/search_engine.h"
#include "window_fixture.h"

namespace qv::ui::test {

// Fresh game state and the opening library on, before the window below is made.
struct FreshState {
    FreshState() {
        session = SessionState{};
        flow = TurnFlow{};
        game = GameState{};
        clocks = ClockState{};
        entry = EntryState{};
        analysis = AnalysisState{};
        lesson_walk = LessonWalk{};
        board_state.flipped = 0;
        search.library_enabled = 1;
    }
};

class RealSearchTest : public ::testing::Test {
  protected:
    explicit RealSearchTest(int fixed_depth = 0) : engine(fixed_depth) {
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>("SpeedButton6"), Qt::LeftButton);
        window.run_until_idle();
    }
    ~RealSearchTest() override { search.library_enabled = 1; }

    void trigger(const char* action) {
        window.action(action)->trigger();
        window.run_until_idle();
    }
    void click_square(int s) {
        QTest::mousePress(window.board_widget(), Qt::LeftButton, {},
                          square_corner(s) + QPoint(30, 30));
        window.run_until_idle();
    }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    bool enabled(const char* action) { return window.action(action)->isEnabled(); }
    bool checked(const char* action) { return window.action(action)->isChecked(); }
    void screenshot(QWidget* w, const char* name) {
        QDir().mkpath(QUORVEL_SCREENSHOT_DIR);
        EXPECT_TRUE(w->grab().save(QString(QUORVEL_SCREENSHOT_DIR) + "/" + name));
    }

    FreshState fresh_;
    FakePlatform platform;
    SearchEngine engine;
    MainWindow window{platform, engine};
};

}  // namespace qv::ui::test
