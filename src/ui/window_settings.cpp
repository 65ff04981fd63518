// The "Paramétrage" menu: the opening-list editors and library sets, the library switch,
// the evaluation parameter editor and its files, and the transposition-table size.
#include <QAction>
#include <QLocale>
#include <QMenu>
#include <filesystem>

#include "board/board.h"
#include "board/data_dir.h"
#include "eval/params.h"
#include "files/game_file.h"
#include "game/game_record.h"
#include "lang/messages.h"
#include "search/book.h"
#include "search/book_edit.h"
#include "search/search_state.h"
#include "search/tt.h"
#include "ui/captions.h"
#include "ui/form_openings.h"
#include "ui/form_params.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui {

namespace {

// The size steps: menu item, size setting S and ply allowance A.
struct SizeStep {
    const char* item;
    int16_t size;
    int allowance;
};
constexpr SizeStep SIZE_STEPS[8] = {{"N0Mo1", 10, -4},   {"N07Mo1", 50, 0},  {"N15Mo1", 100, 2},
                                    {"N3Mo1", 200, 2},   {"N5Mo1", 350, 2},  {"N10Mo1", 700, 4},
                                    {"N15Mo2", 1000, 6}, {"N30Mo1", 2000, 8}};

// The memory a size step takes, in megabytes written the language's way ("0,15 Mo",
// "0.15 MB"): two significant digits, so that the smallest step does not read 0.
QString size_caption(int language, int16_t size) {
    static const QLocale::Language LOCALES[LANGUAGES] = {QLocale::French,  QLocale::English,
                                                         QLocale::Dutch,   QLocale::Portuguese,
                                                         QLocale::Spanish, QLocale::Italian};
    const double megabytes = double(size) * ENTRIES_PER_UNIT * sizeof(TtEntry) / (1024.0 * 1024.0);
    const QString number = QLocale(LOCALES[language]).toString(megabytes, 'g', 2);
    return QString::fromUtf8(caption_of(language, "Msg_taille_tables")).arg(number);
}

const char* const PAR_FILTER = "parameters (*.par *.PAR)";

QString folder(const char* name) {
    return QString::fromStdString(user_folder(name).string());
}

}  // namespace

void MainWindow::build_settings(QMenu* menu) {
    add_action(menu, "Bibliothquesactives1", &MainWindow::Bibliothquesactives1Click, true)
        ->setChecked(search.library_enabled != 0);
    add_action(menu, "Changerbibliothqueouvertures1",
               &MainWindow::Changerbibliothqueouvertures1Click);
    add_action(menu, "Ouverturespourlesblancs1", &MainWindow::Ouverturespourlesblancs1Click);
    add_action(menu, "Ouverturespourlesnoirs1", &MainWindow::Ouverturespourlesnoirs1Click);
    add_action(menu, "Changerlesparamtres1", &MainWindow::Changer1Click);
    add_action(menu, "Sauverlesparamtres1", &MainWindow::Sauverlesparamtres1Click);
    add_action(menu, "Chargerdesparamtres1", &MainWindow::Chargerdesparamtres1Click);
    QMenu* sizes = add_menu(menu, "Tailledestablesdetransposition1");
    void (MainWindow::*handlers[8])() = {&MainWindow::N0Mo1Click,  &MainWindow::N07Mo1Click,
                                         &MainWindow::N15Mo1Click, &MainWindow::N3Mo1Click,
                                         &MainWindow::N5Mo1Click,  &MainWindow::N10Mo1Click,
                                         &MainWindow::N15Mo2Click, &MainWindow::N30Mo1Click};
    for (int i = 0; i < 8; ++i) add_action(sizes, SIZE_STEPS[i].item, handlers[i], true);
    show_table_size();

    form2_ = new OpeningsForm(this, platform_, WHITE);
    form3_ = new OpeningsForm(this, platform_, BLACK);
    form_params_ = new ParamsForm(this);
    connect(form_params_, &ParamsForm::accepted, this, &MainWindow::parametreOKClick);
}

OpeningsForm* MainWindow::opening_form(int side) const {
    return side == WHITE ? form2_ : form3_;
}

void MainWindow::settings_language(int language) {
    for (const SizeStep& step : SIZE_STEPS)
        action(step.item)->setText(size_caption(language, step.size));
    form2_->set_language(language);
    form3_->set_language(language);
    form_params_->set_language(language);
}

// ---- opening lists ---------------------------------------------------------------------

void MainWindow::open_opening_form(int side) {
    // The field starts with the game played so far.
    std::vector<GameMove> line(size_t(game.current_ply) + 1);
    for (int k = 1; k <= game.current_ply; ++k)
        line[k] = {game.game_record[k].from, game.game_record[k].to, 0};
    opening_form(side)->open_with(QString::fromStdString(book_line_of_game(line)));
}

void MainWindow::Ouverturespourlesblancs1Click() {
    open_opening_form(WHITE);
}

void MainWindow::Ouverturespourlesnoirs1Click() {
    open_opening_form(BLACK);
}

void MainWindow::Changerbibliothqueouvertures1Click() {
    const QString dir = folder("Parametres");
    const QString chosen =
        platform_.open_file_name(this, dir, msg(Msg::FILTER_OPENING_SETS) + " (*.ovv *.OVV)");
    if (chosen.isEmpty()) return;
    QString stem = chosen;
    stem.chop(4);  // ".ovv"
    // Both lists are read before either is taken, so a set missing one of them changes
    // nothing.
    std::vector<std::string> lists[2];
    const std::filesystem::path base = stem.toStdString();
    const std::string leaf = base.filename().string();
    const bool read =
        read_book_lines(find_file(base.parent_path(), leaf + "_b.ouv").string(), lists[WHITE]) &&
        read_book_lines(find_file(base.parent_path(), leaf + "_n.ouv").string(), lists[BLACK]);
    if (!read) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    for (int side : {WHITE, BLACK}) {
        book.lists[side] = std::move(lists[side]);
        if (!save_book_list(side, OpeningsForm::user_file(side))) show_error(Msg::CANNOT_OPEN_FILE);
        opening_form(side)->refill();
    }
}

void MainWindow::Bibliothquesactives1Click() {
    search.library_enabled = checked("Bibliothquesactives1") ? 1 : 0;
}

void MainWindow::library_off() {
    set_checked("Bibliothquesactives1", false);
    search.library_enabled = 0;
}

// ---- evaluation parameters ------------------------------------------------------------

void MainWindow::Changer1Click() {
    form_params_->fill();
    form_params_->show();
    form_params_->raise();
}

void MainWindow::parametreOKClick() {
    // The values must not change under a running search: they are taken once it is over.
    if (defer_after_move(&MainWindow::parametreOKClick)) return;
    form_params_->apply();
}

void MainWindow::Sauverlesparamtres1Click() {
    const QString path = platform_.save_file_name(this, folder("Parametres"), PAR_FILTER, "par");
    if (!path.isEmpty()) save_parameters(path.toStdString());
}

void MainWindow::Chargerdesparamtres1Click() {
    if (defer_after_move(&MainWindow::Chargerdesparamtres1Click)) return;
    const QString path = platform_.open_file_name(this, folder("Parametres"), PAR_FILTER);
    if (path.isEmpty()) return;
    if (load_parameters(path.toStdString()) && form_params_->isVisible()) form_params_->fill();
}

// ---- transposition-table size -----------------------------------------------------------

void MainWindow::show_table_size() {
    for (const SizeStep& step : SIZE_STEPS)
        set_checked(step.item, step.size == hash_state.size_setting);
}

void MainWindow::table_size_click(int step) {
    set_table_size(SIZE_STEPS[step].size, SIZE_STEPS[step].allowance);
    game.table_size_setting = hash_state.size_setting;  // saved with the next game file
    show_table_size();
}

void MainWindow::restore_saved_table_size() {
    restore_table_size(game.table_size_setting);
    show_table_size();
}

// The table is the search's: a change waits until a running search is over.
#define SIZE_HANDLER(name, step)                         \
    void MainWindow::name() {                            \
        if (defer_after_move(&MainWindow::name)) return; \
        table_size_click(step);                          \
    }
SIZE_HANDLER(N0Mo1Click, 0)
SIZE_HANDLER(N07Mo1Click, 1)
SIZE_HANDLER(N15Mo1Click, 2)
SIZE_HANDLER(N3Mo1Click, 3)
SIZE_HANDLER(N5Mo1Click, 4)
SIZE_HANDLER(N10Mo1Click, 5)
SIZE_HANDLER(N15Mo2Click, 6)
SIZE_HANDLER(N30Mo1Click, 7)
#undef SIZE_HANDLER

}  // namespace qv::ui
