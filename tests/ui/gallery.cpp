// The gallery: screenshots of screens that no other test looks at as a whole, written to the
// build's screenshots folder for a person to look at (ctest label "gallery").
#include <QLineEdit>

#include "board/board3d_geometry.h"
#include "ui/board3d_view.h"
#include "ui/form_openings.h"
#include "ui/themes.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

class Gallery : public WindowTest {
  protected:
    void start_theme(int theme) {
        QTest::mouseClick(button(theme_row(theme).button), Qt::LeftButton);
        window->run_until_idle();
    }
};

class Styles : public Gallery, public ::testing::WithParamInterface<int> {};

TEST_P(Styles, StartAndMiddleGame) {
    const std::string n = std::to_string(GetParam());
    start_theme(GetParam());
    screenshot(window.get(), ("board3d_" + n + "_start.png").c_str());
    put_position({{2, BLACK_MAN},
                  {3, BLACK_MAN},
                  {6, BLACK_MAN},
                  {10, BLACK_KING},
                  {11, BLACK_MAN},
                  {15, WHITE_MAN},
                  {16, BLACK_MAN},
                  {19, WHITE_KING},
                  {22, WHITE_MAN},
                  {23, BLACK_KING},
                  {26, WHITE_MAN},
                  {27, WHITE_MAN},
                  {30, WHITE_MAN},
                  {31, WHITE_MAN}},
                 WHITE);
    window->show_totals();
    EXPECT_EQ(label("Nbb3d")->text(), "  7");
    screenshot(window.get(), ("board3d_" + n + "_middle.png").c_str());
}

INSTANTIATE_TEST_SUITE_P(Board3d, Styles, ::testing::Range(1, THEMES + 1),
                         [](const auto& info) { return "style" + std::to_string(info.param); });

TEST_F(Gallery, FlippedNumberedBoard3dWithMoveDots) {
    start_theme(1);
    trigger("Inverserdamier1");
    trigger("Numroterlescase1");
    trigger("Indicationdesmouvements1");
    const int place = 33 - 22;  // the man on 22: two destinations
    QTest::mousePress(
        window->board3d(), Qt::LeftButton, {},
        {BOARD3D_X[place] + BOARD3D_SPRITE / 2, BOARD3D_Y[place] + BOARD3D_SPRITE / 2});
    window->run_until_idle();
    ASSERT_EQ(entry.in_hand, WHITE_MAN);
    screenshot(window.get(), "board3d_flipped_numbers.png");
}

TEST_F(Gallery, StylePicker) {
    for (int t = 1; t <= THEMES; ++t) EXPECT_TRUE(button(theme_row(t).button)->isEnabled());
    EXPECT_FALSE(button("SpeedButton7")->icon().isNull()) << "miniature";
    screenshot(window.get(), "picker.png");
}

TEST_F(Gallery, OpeningListEditors) {
    start_2d();
    play_a_move();
    trigger("Ouverturespourlesblancs1");
    OpeningsForm* white = window->opening_form(WHITE);
    white->field()->setText("23-19 10-14 19-15");
    screenshot(white, "opening_editor_white.png");
    trigger("Ouverturespourlesnoirs1");
    screenshot(window->opening_form(BLACK), "opening_editor_black.png");
}

}  // namespace
}  // namespace qv::ui::test
