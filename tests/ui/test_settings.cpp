// The "Paramétrage" menu: opening-list editors and library sets, the library switch, the
// parameter editor and its files, the transposition-table size.
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "board/data_dir.h"
#include "board/file_io.h"
#include "common/state_guard.h"
#include "eval/params.h"
#include "real_search_fixture.h"
#include "search/book.h"
#include "search/book_edit.h"
#include "search/search_state.h"
#include "search/tt.h"
#include "ui/form_openings.h"
#include "ui/form_params.h"

namespace qv::ui::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::string out;
    read_file_prefix(p, 1 << 20, out);
    return out;
}

// A program directory of its own (with the default parameter set), and the engine's
// process-wide settings put back afterwards.
class SettingsTest : public WindowTest {
  protected:
    void SetUp() override {
        const fs::path real_default = find_file(program_dir(), "Parametres/defaut.par");
        set_program_dir(dir_.path().toStdString());
        fs::create_directories(program_dir() / "Parametres");
        fs::copy_file(real_default, program_dir() / "Parametres" / "defaut.par");
        write_file_atomic(program_dir() / "ouvert_b.ouv", "23-19 10-14 \r\n");
        write_file_atomic(program_dir() / "ouvert_n.ouv", "21-17 11-15 \r\n");
        load_book_lists();
        WindowTest::SetUp();
    }
    fs::path in_dir(const char* relative) { return program_dir() / relative; }
    QString path_of(const char* relative) {
        return QString::fromStdString(in_dir(relative).string());
    }
    OpeningsForm* form(int side) { return window->opening_form(side); }
    void type_line(int side, const char* text) { form(side)->field()->setText(text); }
    void press(QWidget* parent, const char* name) {
        QTest::mouseClick(parent->findChild<QPushButton*>(name), Qt::LeftButton);
        window->run_until_idle();
    }
    std::vector<std::string> shown(int side) {
        std::vector<std::string> lines;
        for (int i = 0; i < form(side)->list()->count(); ++i)
            lines.push_back(form(side)->list()->item(i)->text().toStdString());
        return lines;
    }

    qv::test::StateGuard guard_;
    QTemporaryDir dir_;
};

// ---- opening lists ---------------------------------------------------------------------

TEST_F(SettingsTest, AddedLineIsSavedAndFoundByTheLibraryReadFromTheFile) {
    start_2d();
    trigger("Ouverturespourlesblancs1");
    ASSERT_TRUE(form(WHITE)->isVisible());
    EXPECT_EQ(form(WHITE)->field()->text(), "");  // nothing played yet
    EXPECT_EQ(shown(WHITE), std::vector<std::string>{"23-19 10-14 "});

    type_line(WHITE, "21-17 10-14 17x13");  // "x" for a plain move is read like "-"
    EXPECT_EQ(form(WHITE)->status()->text(), "");
    press(form(WHITE), "Valide_Ouverture");
    EXPECT_EQ(shown(WHITE), (std::vector<std::string>{"21-17 10-14 17-13 ", "23-19 10-14 "}));
    EXPECT_EQ(form(WHITE)->list()->currentRow(), 0);
    // A line that cannot be played is refused, as typed and when added; the list stays.
    type_line(WHITE, "23-19 10-14 19-15");
    EXPECT_EQ(form(WHITE)->status()->text(), "Coup 3 illégal : 19-15");
    press(form(WHITE), "Valide_Ouverture");
    EXPECT_EQ(platform.errors, QStringList{"Coup 3 illégal : 19-15"});
    EXPECT_EQ(shown(WHITE).size(), 2u);
    platform.errors.clear();

    platform.next_file = path_of("Parametres/essai.ovv");
    press(form(WHITE), "BitBtn1");
    EXPECT_FALSE(form(WHITE)->isVisible());
    EXPECT_TRUE(platform.errors.isEmpty());
    EXPECT_TRUE(fs::exists(in_dir("Parametres/essai.ovv")));
    const std::string white = "21-17 10-14 17-13 \r\n23-19 10-14 \r\n";
    EXPECT_EQ(slurp(in_dir("ouvert_b.ouv")), white);
    EXPECT_EQ(slurp(in_dir("Parametres/essai_b.ouv")), white);
    EXPECT_EQ(slurp(in_dir("Parametres/essai_n.ouv")), "21-17 11-15 \r\n");
}

TEST_F(SettingsTest, ClickReplaceDeleteAndCancel) {
    start_2d();
    play_a_move();  // the field starts with the game so far
    trigger("Ouverturespourlesnoirs1");
    std::vector<GameMove> played(size_t(game.current_ply) + 1);
    for (int k = 1; k <= game.current_ply; ++k)
        played[k] = {game.game_record[k].from, game.game_record[k].to, 0};
    ASSERT_GE(game.current_ply, 1);
    EXPECT_EQ(form(BLACK)->field()->text().toStdString(), book_line_of_game(played));

    // A click copies a line into the field; "Remplacer" puts the edited line in its place.
    QListWidget* list = form(BLACK)->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(form(BLACK)->field()->text(), "21-17 11-15 ");
    type_line(BLACK, "22-18 11-15");
    press(form(BLACK), "Remplacer");
    EXPECT_EQ(book.lists[BLACK], std::vector<std::string>{"22-18 11-15 "});

    // "Effacer" empties the field and deletes the selected line only.
    type_line(BLACK, "22-18 12-16");
    press(form(BLACK), "Valide_Ouverture");
    list->setCurrentRow(1);
    press(form(BLACK), "Effacer");
    EXPECT_EQ(form(BLACK)->field()->text(), "");
    EXPECT_EQ(book.lists[BLACK], std::vector<std::string>{"22-18 11-15 "});
    list->clearSelection();
    press(form(BLACK), "Effacer");
    EXPECT_EQ(book.lists[BLACK].size(), 1u);

    // Cancel: the edits are dropped and the active file is read again.
    press(form(BLACK), "BitBtn2");
    EXPECT_FALSE(form(BLACK)->isVisible());
    EXPECT_EQ(book.lists[BLACK], std::vector<std::string>{"21-17 11-15 "});
    EXPECT_EQ(slurp(in_dir("ouvert_n.ouv")), "21-17 11-15 \r\n");
}

TEST_F(SettingsTest, ChangingTheLibrarySetMakesItActive) {
    write_file_atomic(in_dir("Parametres/Autre.ovv"), "");
    write_file_atomic(in_dir("Parametres/Autre_b.ouv"), "22-18 \r\n21-17 \r\n");
    write_file_atomic(in_dir("Parametres/Autre_n.ouv"), "24-20 12-16 \r\n");
    write_file_atomic(in_dir("Parametres/Moitie.ovv"), "");
    write_file_atomic(in_dir("Parametres/Moitie_b.ouv"), "24-19 \r\n");
    start_2d();

    // A set that lacks one of its lists is refused whole.
    platform.next_file = path_of("Parametres/Moitie.ovv");
    trigger("Changerbibliothqueouvertures1");
    ASSERT_EQ(platform.errors, QStringList{"Impossible d'ouvrir ce fichier"});
    EXPECT_EQ(book.lists[WHITE], std::vector<std::string>{"23-19 10-14 "});

    platform.next_file = path_of("Parametres/Autre.ovv");
    trigger("Changerbibliothqueouvertures1");
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(book.lists[WHITE], (std::vector<std::string>{"21-17 ", "22-18 "}));
    EXPECT_EQ(book.lists[BLACK], std::vector<std::string>{"24-20 12-16 "});
    EXPECT_EQ(slurp(in_dir("ouvert_b.ouv")), "21-17 \r\n22-18 \r\n");
    EXPECT_EQ(slurp(in_dir("ouvert_n.ouv")), "24-20 12-16 \r\n");
    EXPECT_EQ(shown(WHITE), book.lists[WHITE]);
}

// ---- parameters ------------------------------------------------------------------------

// The fields land in their parameters (as the parameter file's text would be read), cancel
// keeps the values, and the values go to a file and come back from it.
TEST_F(SettingsTest, EditorFieldsCancelOkSaveAndLoad) {
    start_2d();
    platform.next_file = path_of("Parametres/defaut.par");
    trigger("Chargerdesparamtres1");
    const Parameters defaults = params;
    trigger("Changerlesparamtres1");
    ParamsForm* editor = window->params_form();
    ASSERT_TRUE(editor->isVisible());
    screenshot(editor, "parameter_editor.png");
    const struct {
        QLineEdit* field;
        const char* text;
        const int8_t* value;
        int8_t expected;
    } cases[] = {
        {editor->tempo_field(FINAL), "-5", &params.tempo_coef[FINAL], -5},
        {editor->threshold_field(0), "abc", &params.opening_threshold, 0},
        {editor->table_field(MIDDLE_VARIANT2, 32), "300", &params.man_tables[MIDDLE_VARIANT2][32],
         44},
        {editor->square_field(1, 1, 6), "200", &params.variant2_black_squares[6], -56},
    };
    for (const auto& c : cases) c.field->setText(c.text);
    press(editor, "parametrecancel");
    EXPECT_EQ(std::memcmp(&params, &defaults, sizeof defaults), 0);
    trigger("Changerlesparamtres1");
    EXPECT_EQ(editor->tempo_field(FINAL)->text().toInt(), defaults.tempo_coef[FINAL]);

    for (const auto& c : cases) c.field->setText(c.text);
    press(editor, "parametreOK");
    EXPECT_FALSE(editor->isVisible());
    for (const auto& c : cases) EXPECT_EQ(*c.value, c.expected) << c.text;

    platform.next_file = path_of("Parametres/nouveau.par");
    trigger("Sauverlesparamtres1");
    EXPECT_EQ(fs::file_size(in_dir("Parametres/nouveau.par")), PARAMETER_FILE_SIZE);
    platform.next_file = path_of("Parametres/defaut.par");
    trigger("Chargerdesparamtres1");
    EXPECT_EQ(std::memcmp(&params, &defaults, sizeof defaults), 0);
    platform.next_file = path_of("Parametres/nouveau.par");
    trigger("Chargerdesparamtres1");
    for (const auto& c : cases) EXPECT_EQ(*c.value, c.expected) << c.text;
    trigger("Changerlesparamtres1");
    EXPECT_EQ(editor->tempo_field(FINAL)->text().toInt(), -5);
    EXPECT_TRUE(platform.errors.isEmpty());
}

// ---- transposition-table size ----------------------------------------------------------

TEST_F(SettingsTest, EachSizeEntrySetsTheTableAndIsTheOnlyOneTicked) {
    start_2d();
    const struct {
        const char* item;
        int16_t size;
    } steps[] = {{"N0Mo1", 10},  {"N07Mo1", 50},  {"N15Mo1", 100},  {"N3Mo1", 200},
                 {"N5Mo1", 350}, {"N10Mo1", 700}, {"N15Mo2", 1000}, {"N30Mo1", 2000}};
    EXPECT_TRUE(window->action("N15Mo1")->isChecked());
    for (const auto& s : steps) {
        trigger(s.item);
        EXPECT_EQ(hash_state.size_setting, s.size) << s.item;
        EXPECT_EQ(game.table_size_setting, s.size) << s.item;
        for (const auto& other : steps)
            EXPECT_EQ(window->action(other.item)->isChecked(), &other == &s) << other.item;
    }
}

// The editors never cut the computer's search short: what they do waits until it has moved.
TEST_F(SettingsTest, EditorCommandsDuringTheComputersSearchWaitForItsMove) {
    start_2d();
    trigger("Changerlesparamtres1");
    ParamsForm* editor = window->params_form();
    int dialogs = 0;
    const struct {
        const char* name;
        std::function<void()> press;
        std::function<bool()> done;
    } rows[] = {
        {"size", [&] { window->action("N3Mo1")->trigger(); },
         [] { return hash_state.size_setting == 200; }},
        {"editor OK",
         [&] {
             editor->tempo_field(FINAL)->setText("-7");
             QTest::mouseClick(editor->findChild<QPushButton*>("parametreOK"), Qt::LeftButton);
         },
         [] { return params.tempo_coef[FINAL] == -7; }},
        {"load parameters", [&] { window->action("Chargerdesparamtres1")->trigger(); },
         [&] { return platform.file_dialogs > dialogs; }},
        {"load learning", [&] { window->action("Chargerdesleons1")->trigger(); },
         [&] { return platform.file_dialogs > dialogs; }},
    };
    engine.think_ms = 400;
    for (const auto& r : rows) {
        dialogs = platform.file_dialogs;
        engine.stopped_after_ms = -1;
        bool done_during_search = true;
        QTimer during;  // presses once the computer's search runs
        QObject::connect(&during, &QTimer::timeout, [&] {
            if (!flow.searching || !game.computer_to_move) return;
            during.stop();
            r.press();
            done_during_search = r.done();
        });
        during.start(20);
        play_a_move();
        EXPECT_EQ(engine.stopped_after_ms, -1) << r.name << ": the search was cut short";
        EXPECT_FALSE(done_during_search) << r.name;
        EXPECT_TRUE(r.done()) << r.name;
    }
}

TEST_F(SettingsTest, SizeSavedWithAGameComesBackWhenItIsResumed) {
    start_2d();
    trigger("N3Mo1");
    play_a_move();
    platform.next_file = path_of("partie.dam");
    trigger("Sauver1");
    trigger("N0Mo1");

    // The game as the resume file: a start on a perspective board restores its size.
    fs::copy_file(in_dir("partie.dam"), in_dir("last32.dam"));
    WindowTest::TearDown();
    WindowTest::SetUp();
    QTest::mouseClick(button("SpeedButton7"), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_EQ(hash_state.size_setting, 200);
    EXPECT_TRUE(window->action("N3Mo1")->isChecked());
    EXPECT_FALSE(window->action("N0Mo1")->isChecked());
}

// ---- the library switch against the real driver ----------------------------------------

class LibrarySearch : public RealSearchTest, public ::testing::WithParamInterface<bool> {
  protected:
    qv::test::StateGuard guard_;
};

// Black's list answers every first move of White; the computer (Black) replies from it
// only while "Bibliothèques actives" is ticked.
TEST_P(LibrarySearch, SwitchDecidesWhetherTheFirstReplyComesFromTheList) {
    const bool library_on = GetParam();
    set_start_position();
    const int n = legal_moves(WHITE);
    std::vector<Move> firsts(move_lists[1], move_lists[1] + n);
    book.lists[BLACK].clear();
    std::vector<std::pair<Move, Move>> replies;
    for (const Move& m : firsts) {
        set_start_position();
        play_move(m);
        const int k = legal_moves(BLACK);
        const Move reply = move_lists[1][k - 1];
        replies.push_back({m, reply});
        book.lists[BLACK].push_back(book_line_of_game(
            std::vector<GameMove>{{}, {m.from, m.to, 0}, {reply.from, reply.to, 0}}));
    }
    std::sort(book.lists[BLACK].begin(), book.lists[BLACK].end());
    trigger("Niveau01");
    if (!library_on) window.action("Bibliothquesactives1")->trigger();
    ASSERT_EQ(window.action("Bibliothquesactives1")->isChecked(), library_on);

    click_square(firsts[0].from);
    click_square(firsts[0].to);
    ASSERT_EQ(game.last_ply, 2);
    if (library_on) {
        EXPECT_EQ(search.node_count, 0) << "played from the list without searching";
        EXPECT_EQ(game.game_record[2].from, replies[0].second.from);
        EXPECT_EQ(game.game_record[2].to, replies[0].second.to);
    } else {
        EXPECT_GT(search.node_count, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Switch, LibrarySearch, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

// A position set up by hand, even with the switch ticked again, is always searched; the
// start position left unchanged still gets its library move.
class SetUpSearch : public LibrarySearch {};

TEST_P(SetUpSearch, SetUpPositionNeverGetsALibraryMove) {
    const bool changed = GetParam();
    trigger("Niveau01");
    book.lists[WHITE] = {"21-17 10-14 "};
    trigger("Installeruneposition1");
    ASSERT_EQ(search.library_enabled, 0);
    ASSERT_FALSE(window.action("Bibliothquesactives1")->isChecked());
    if (changed) {
        QTest::mouseClick(button("SpeedButton14"), Qt::LeftButton);
        click_square(square_of_label(10));
        QTest::mouseClick(button("SpeedButton12"), Qt::LeftButton);
        click_square(square_of_label(13));
        ASSERT_EQ(board[square_of_label(13)], BLACK_MAN);
    }
    trigger("Installeruneposition1");
    window.action("Bibliothquesactives1")->trigger();
    ASSERT_EQ(search.library_enabled, 1);

    // The computer takes White and moves first.
    game.computer_colour = WHITE;
    game.side_to_move = WHITE;
    game.computer_requested = 1;
    window.run_until_idle();
    ASSERT_EQ(game.last_ply, 1);
    EXPECT_EQ(search.node_count == 0, !changed);
}

INSTANTIATE_TEST_SUITE_P(Board, SetUpSearch, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "SetUp" : "StartPosition"; });

}  // namespace
}  // namespace qv::ui::test
