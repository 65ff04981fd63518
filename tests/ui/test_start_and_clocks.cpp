// Start-up brings back the last run's level and language and makes the saved-games folder,
// and says what it cannot load; "Pause" pressed before the first click does not stop the
// person's clock; a rated match lost on time goes on unrated.
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "board/now.h"
#include "eval/params.h"
#include "program_dir_fixture.h"

namespace qv::ui::test {
namespace {

int32_t fake_time = 0;

// The window's clock reads this fake time for the length of a test.
class FakeClockTest : public ProgramDirTest {
  protected:
    void SetUp() override {
        fake_time = 100000;
        clock_source() = [] { return fake_time; };
        ProgramDirTest::SetUp();
    }
    void TearDown() override {
        ProgramDirTest::TearDown();
        clock_source() = nullptr;
    }
    // The clock labels of both sides, as shown.
    QString clock_labels() {
        return label("minblanc")->text() + ":" + label("secblanc")->text() + " " +
               label("minnoir")->text() + ":" + label("secnoir")->text();
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

// Reading a lesson charges nobody.
TEST_F(FakeClockTest, LessonsChargeNobody) {
    start_2d();
    ASSERT_TRUE(write_game_file(program_dir() / "lecon.dam"));
    platform.next_file = QString::fromStdString((program_dir() / "lecon.dam").string());
    trigger("Problmes1");
    const QString lesson = clock_labels();
    fake_time += 100;
    window->ajouter_temps();
    EXPECT_EQ(clock_labels(), lesson);
}

// The end is reported once, then the computer answers as before: the game goes on unrated.
TEST_F(FakeClockTest, RatedMatchLostOnTimeIsReportedAndPlayGoesOn) {
    write_players("Quorvel\r\nAnna\r\n", "2050\r\n1700\r\n");
    start_2d();
    trigger("N150coupsen3mn1");
    start_rated_match(1);
    play_a_move();
    ASSERT_EQ(game.last_ply, 2);
    fake_time += 400;
    window->ajouter_temps();
    play_a_move();
    EXPECT_EQ(label("qui_gagne")->text(), "Temps dépassé, gain QUORVEL");
    EXPECT_EQ(game.game_state, FREE_GAME) << "the match is over";
    EXPECT_EQ(game.last_ply, 4) << "the computer moved after the report";
}

// The language picked on the start-up panel wins over the last run's, which comes back
// only when none is picked.
TEST_F(ProgramDirTest, LanguagePickedAtStartUpWinsOverTheLastRuns) {
    start_2d();
    trigger("Nederlands1");
    trigger("Quitter1");
    for (auto [pick, file_menu] : {std::pair{"", "Bestand"}, {"Button6", "File"}}) {
        WindowTest::TearDown();
        WindowTest::SetUp();
        if (*pick) {
            QTest::mouseClick(button(pick), Qt::LeftButton);
            screenshot(window.get(), "startup_english_picked.png");
        }
        start_2d();
        EXPECT_EQ(window->findChild<QMenu*>("Fichier1")->title(), file_menu) << pick;
    }
    EXPECT_EQ(window->language(), 1);
    EXPECT_EQ(label("Panel11")->text(), "Training");
    screenshot(window.get(), "board_english_picked.png");
}

// What cannot be loaded at start-up is said in the window, in the language picked.
TEST_F(ProgramDirTest, StartUpFailuresAreShownInTheWindow) {
    engine.on_start = [] { load_default_parameters(); };  // this folder has no defaut.par
    QTest::mouseClick(button("Button6"), Qt::LeftButton);
    start_2d();
    EXPECT_EQ(platform.errors, QStringList{"Cannot open this file"});
    window->report_fatal(Msg::HASH_TABLES_ALLOCATION);
    EXPECT_EQ(platform.errors.last(), "Hash tables allocation error");
}

struct LevelAtStart {
    const char* item;
    int index;
    const char* minutes;  // typed for "Autre"
};
class StartUpLevel : public ProgramDirTest, public ::testing::WithParamInterface<LevelAtStart> {};

// A game left at some level; the next start on the 2D board ticks it again, with its
// minutes, from the start position.
TEST_P(StartUpLevel, LastRunsLevelIsTickedOnThe2DBoard) {
    const LevelAtStart c = GetParam();
    start_2d();
    trigger(c.item);
    auto* minutes = window->findChild<QLineEdit*>("Nbminutes");
    if (c.index == 18) {
        minutes->setText(c.minutes);
        QTest::mouseClick(button("BitBtn24"), Qt::LeftButton);
    }
    play_a_move();
    trigger("Quitter1");
    WindowTest::TearDown();
    WindowTest::SetUp();
    ASSERT_TRUE(select_level(1));  // whatever the process holds, the file decides
    start_2d();
    EXPECT_EQ(game.last_ply, 0);
    EXPECT_TRUE(window->action(c.item)->isChecked());
    EXPECT_EQ(window->level_index(), c.index);
    EXPECT_EQ(window->findChild<QLineEdit*>("Nbminutes")->text(), c.minutes);
    EXPECT_EQ(engine.time_budget, window->time_budget());
}
INSTANTIATE_TEST_SUITE_P(Levels, StartUpLevel,
                         ::testing::Values(LevelAtStart{"Niveau05", 5, "3"},
                                           LevelAtStart{"N250coupsen5mn1", 12, "5"},
                                           LevelAtStart{"N8Autre1", 18, "7"}),
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
