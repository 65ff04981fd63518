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
    std::vector<std::pair<int, uint8_t>> middle = {
        {10, BLACK_KING}, {23, BLACK_KING}, {19, WHITE_KING}};
    for (int s : {2, 3, 6, 11, 16}) middle.push_back({s, BLACK_MAN});
    for (int s : {15, 22, 26, 27, 30, 31}) middle.push_back({s, WHITE_MAN});
    put_position(middle, WHITE);
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
