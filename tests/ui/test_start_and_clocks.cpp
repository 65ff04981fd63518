// "Pause" pressed before the first click does not stop the person's clock.
#include <QLineEdit>

#include "board/now.h"
#include "window_fixture.h"

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

}  // namespace
}  // namespace qv::ui::test
