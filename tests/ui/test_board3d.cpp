// The perspective board in the window: style switching and what it loads, clicks on the
// picture, the sprite drawn for each square in both orientations, move dots, blind play,
// the bitmap export, availability of the styles, and screenshots of every style.
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QTemporaryDir>
#include <filesystem>

#include "board/board3d_geometry.h"
#include "board/data_dir.h"
#include "common/case_name.h"
#include "ui/board3d_view.h"
#include "ui/themes.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

class Board3dTest : public WindowTest {
  protected:
    Board3dView* view() { return window->board3d(); }
    const ThemeState& themes() { return view()->themes(); }
    void start_theme(int theme) {
        QTest::mouseClick(button(theme_row(theme).button), Qt::LeftButton);
        window->run_until_idle();
    }
    QPoint centre(int place) {
        return {BOARD3D_X[place] + BOARD3D_SPRITE / 2, BOARD3D_Y[place] + BOARD3D_SPRITE / 2};
    }
    void press(QPoint p) { QTest::mousePress(view(), Qt::LeftButton, {}, p); }
    QImage box(int place) {
        return view()->picture().copy(BOARD3D_X[place], BOARD3D_Y[place], BOARD3D_SPRITE,
                                      BOARD3D_SPRITE);
    }
    QColor dot(int place) {
        return view()->picture().pixelColor(BOARD3D_X[place] + 27, BOARD3D_Y[place] + 27);
    }
};

// ---- switching styles ------------------------------------------------------------------

struct SwitchCase {
    const char* name;
    int from;        // style picked at start-up
    const char* to;  // entry chosen then
    int set_loads;   // sprite sets loaded by that choice
    int background_loads;
    int set_after;
    int theme_after;
};

class Switching : public Board3dTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(Switching, LoadsOnlyWhatChanges) {
    const SwitchCase c = GetParam();
    start_theme(c.from);
    ASSERT_EQ(themes().current_theme, c.from);
    const int sets = themes().set_loads, backgrounds = themes().background_loads;
    trigger(c.to);
    EXPECT_EQ(themes().set_loads - sets, c.set_loads);
    EXPECT_EQ(themes().background_loads - backgrounds, c.background_loads);
    EXPECT_EQ(themes().loaded_set, c.set_after);
    EXPECT_EQ(themes().current_theme, c.theme_after);
    EXPECT_TRUE(window->action(c.to)->isChecked());
    const bool flat = std::string(c.to) == "Damier2D1";
    EXPECT_EQ(window->widget("Damier3d")->isVisible(), !flat);
    for (int t = 1; t <= THEMES; ++t)
        EXPECT_EQ(window->action(theme_row(t).action)->isChecked(), !flat && t == c.theme_after);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, Switching,
    ::testing::Values(SwitchCase{"night_over_classic", 1, "Damier3D2", 0, 1, 1, 2},
                      SwitchCase{"luxe_over_luxe", 3, "Damier3D3", 0, 0, 3, 3},
                      SwitchCase{"night_over_night", 2, "Damier3D2", 0, 0, 1, 2},
                      SwitchCase{"classic_over_night", 2, "Damier3D1", 0, 1, 1, 1},
                      SwitchCase{"classic_over_luxe", 3, "Damier3D1", 1, 1, 1, 1},
                      SwitchCase{"style4_over_luxe", 3, "Damier3D4", 1, 1, 4, 4},
                      SwitchCase{"style6_over_style6", 6, "Damier3D6", 0, 0, 6, 6},
                      SwitchCase{"flat_after_style5", 5, "Damier2D1", 1, 1, 1, 1},
                      SwitchCase{"flat_after_night", 2, "Damier2D1", 0, 0, 1, 2}),
    qv::test::RowName());

TEST_F(Board3dTest, PickerLoadsSetOneThenTheChosenStyle) {
    start_theme(7);
    EXPECT_FALSE(window->widget("Intro")->isVisible());
    EXPECT_TRUE(window->menuBar()->isVisible());
    EXPECT_EQ(themes().set_loads, 2);  // set 1, then set 7
    EXPECT_EQ(themes().background_loads, 1);
    EXPECT_EQ(themes().loaded_background, 7);
    EXPECT_TRUE(window->action("Damier3D7")->isChecked());
    EXPECT_FALSE(window->action("Damier2D1")->isChecked());
    // Back to 2D and to the same style again: the set and background are reloaded once each.
    trigger("Damier2D1");
    trigger("Damier3D7");
    EXPECT_EQ(themes().set_loads, 4);
    EXPECT_EQ(themes().background_loads, 3);
}

// ---- availability -----------------------------------------------------------------------

// Points the program at a copy of the data directory without one file, for one test.
class DataWithout {
  public:
    explicit DataWithout(const char* missing) : real_(program_dir()) {
        dir_ = tmp_.path().toStdString();
        for (const auto& e : std::filesystem::directory_iterator(QUORVEL_DATA_DIR))
            if (e.path().filename() != missing)
                std::filesystem::create_symlink(e.path(), dir_ / e.path().filename());
        set_program_dir(dir_);
    }
    ~DataWithout() {
        set_program_dir(real_);
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            std::filesystem::remove(e.path());  // the links only
    }

  private:
    std::filesystem::path real_;
    QTemporaryDir tmp_;
    std::filesystem::path dir_;
};

TEST_F(Board3dTest, MissingBackgroundDisablesItsStyleAndThePickerFallsBack) {
    window.reset();
    DataWithout data("damier5i.bmp");
    window = std::make_unique<MainWindow>(platform, engine);
    window->show();
    for (int t = 1; t <= THEMES; ++t)
        EXPECT_EQ(window->action(theme_row(t).action)->isEnabled(), t != 5) << "style " << t;
    start_theme(5);
    EXPECT_EQ(themes().current_theme, 1);
    EXPECT_EQ(themes().loaded_background, 1);
    EXPECT_TRUE(window->action("Damier3D1")->isChecked());
    window.reset();
}

// ---- clicks -------------------------------------------------------------------------------

class Clicks : public Board3dTest, public ::testing::WithParamInterface<bool> {};

// The geometry of every box is checked below the window (tests/board); here one click per
// orientation, through the picture to a played move.
TEST_P(Clicks, SingleMoveIsPlayedByTheClickOnThePicture) {
    const bool flipped = GetParam();
    start_theme(1);
    if (flipped) trigger("Inverserdamier1");
    // 21 has a single move, to 17.
    press(centre(flipped ? 12 : 21));
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_EQ(shown_board[21], EMPTY);
    EXPECT_EQ(shown_board[17], WHITE_MAN);
    // The picture shows the man at 17's place with 17's sprite.
    const int place = flipped ? 16 : 17;
    EXPECT_EQ(box(place), view()->sprite(shown_board[17], place));
}

INSTANTIATE_TEST_SUITE_P(Orientations, Clicks, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "flipped" : "upright"; });

// ---- drawing ------------------------------------------------------------------------------

struct SpriteCase {
    int square;
    uint8_t code;
};

class Sprites : public Board3dTest, public ::testing::WithParamInterface<SpriteCase> {};

TEST_P(Sprites, FlippedBoardDrawsEachSquareAtTheOppositePlace) {
    const SpriteCase c = GetParam();
    start_theme(3);
    put_position({{c.square, c.code}}, WHITE);
    EXPECT_EQ(box(c.square), view()->sprite(c.code, c.square));
    trigger("Inverserdamier1");
    const int place = 33 - c.square;
    EXPECT_EQ(box(place), view()->sprite(c.code, place));
    EXPECT_EQ(box(c.square), view()->sprite(EMPTY, c.square));
    EXPECT_NE(view()->sprite(c.code, place), view()->sprite(EMPTY, place));
    // Numbering writes the square's label at the top-left corner of its place.
    trigger("Numroterlescase1");
    EXPECT_EQ(view()->picture().pixelColor(BOARD3D_X[place] + 1, BOARD3D_Y[place] + 1),
              QColor(0xC0, 0xC0, 0xC0));
    trigger("Numroterlescase1");
    EXPECT_EQ(box(place), view()->sprite(c.code, place));
}

INSTANTIATE_TEST_SUITE_P(Squares, Sprites,
                         ::testing::Values(SpriteCase{1, WHITE_MAN}, SpriteCase{17, BLACK_KING},
                                           SpriteCase{32, WHITE_KING}, SpriteCase{12, BLACK_MAN},
                                           SpriteCase{6, BLACK_MAN}),
                         [](const auto& i) { return "square" + std::to_string(i.param.square); });

TEST_F(Board3dTest, MoveDotsOnlyWithIndicationDesMouvements) {
    start_theme(1);
    press(centre(22));  // 22 can go to 17 or 18: picked up, destinations marked
    window->run_until_idle();
    ASSERT_EQ(entry.in_hand, WHITE_MAN);
    EXPECT_NE(dot(22), QColor(255, 0, 0));
    press(centre(22));  // put back
    window->run_until_idle();
    trigger("Indicationdesmouvements1");
    press(centre(22));
    window->run_until_idle();
    EXPECT_EQ(dot(22), QColor(255, 0, 0));
    EXPECT_EQ(dot(17), QColor(255, 0, 255));
    EXPECT_EQ(dot(18), QColor(255, 0, 255));
    press(centre(18));
    window->run_until_idle();
    EXPECT_EQ(box(22), view()->sprite(EMPTY, 22)) << "the dot goes with the piece";
}

TEST_F(Board3dTest, BlindPlayHidesThePiecesButTheGameGoesOn) {
    start_theme(1);
    const QImage empty(QString::fromStdString(data_path("damier1wi.bmp").string()));
    trigger("Jeuenaveugle1");
    EXPECT_EQ(view()->picture(), empty.convertToFormat(QImage::Format_RGB32));
    press(centre(21));
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_EQ(view()->picture(), empty.convertToFormat(QImage::Format_RGB32));
    trigger("Jeuenaveugle1");
    EXPECT_EQ(box(17), view()->sprite(WHITE_MAN, 17));
}

TEST_F(Board3dTest, BitmapExportWritesThePictureShown) {
    start_theme(4);
    QTemporaryDir tmp;
    platform.next_file = tmp.filePath("board.bmp");
    trigger("Editerlimagefichierbmp1");
    QFile file(platform.next_file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
    const QImage saved(platform.next_file);
    EXPECT_EQ(saved.size(), QSize(785, 521));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), view()->picture());
    EXPECT_TRUE(platform.errors.isEmpty());
    platform.next_file = tmp.filePath("no/such/dir/board.bmp");
    trigger("Editerlimagefichierbmp1");
    EXPECT_EQ(platform.errors.size(), 1);
}

TEST_F(Board3dTest, ClocksNamesAndCountersFollowTheBoard) {
    start_theme(2);
    EXPECT_EQ(window->widget("Horlogenoir3d")->y(), 56);
    EXPECT_EQ(window->widget("Horlogeblanc3d")->y(), 448);
    EXPECT_EQ(label("N3D")->text(), "Quorvel : ");
    EXPECT_EQ(label("B3D")->text(), "Inconnu : ");
    EXPECT_EQ(label("Nbb3d")->text(), " 12");
    EXPECT_EQ(label("Coups3d")->text(), "Coups : 1");
    EXPECT_EQ(label("minblanc3d")->text(), "0");
    EXPECT_EQ(label("secnoir3d")->text(), "00");
    press(centre(21));
    window->run_until_idle();
    EXPECT_EQ(label("Coups3d")->text(), "Coups : 2");
    trigger("Inverserdamier1");
    EXPECT_EQ(window->widget("Horlogenoir3d")->y(), 448);
    EXPECT_EQ(window->widget("Horlogeblanc3d")->y(), 56);
    trigger("Inverserdamier1");
    EXPECT_EQ(window->widget("Horlogenoir3d")->y(), 56);
}

}  // namespace
}  // namespace qv::ui::test
