// Start-up, languages, position set-up, orientation and numbering, clocks and levels.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <cstring>
#include <filesystem>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/movegen.h"
#include "board/now.h"
#include "eval/evaluate.h"
#include "files/game_file.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/players.h"
#include "game/session.h"
#include "lang/messages.h"
#include "search/tt.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/form4.h"
#include "ui/lesson_panel.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui {

namespace {
// Menu item of each level index (9 and 10 have none; 18 is "Autre").
const char* const LEVEL_ITEMS[19] = {
    "Dbutant1",       "Niveau01",        "Niveau02",        "Niveau03",         "Niveau04",
    "Niveau05",       "Niveau06",        "Niveau07",        "Niveau081",        nullptr,
    nullptr,          "N150coupsen3mn1", "N250coupsen5mn1", "N350coupsen10mn1", "N450coupsen30mn1",
    "N550coupsen1h1", "N650coupsen2h1",  "N7longlong1",     "N8Autre1"};
}  // namespace

// ---- start-up -------------------------------------------------------------------------

void MainWindow::select_language(int language) {
    if (language < 0 || language >= LANGUAGES) return;
    language_ = language;
    game.language = uint8_t(language);  // saved with every game file
    setWindowTitle(msg(Msg::WINDOW_TITLE));
    // Themes 4, 6 and 8 are called alike in every language; theme 5 is not.
    for (auto [entry, label, name] : {std::tuple{"Damier3D4", "Label3D4", "Rimini"},
                                      {"Damier3D6", "Label3D6", "Stromboli"},
                                      {"Damier3D8", "Label3D8", "San Remo"}}) {
        action(entry)->setText(name);
        child<QLabel>(label)->setText(name);
    }
    action("Damier3D5")->setText(msg(Msg::THEME_VENICE));
    child<QLabel>("Label3D5")->setText(msg(Msg::THEME_VENICE));
    if (!introduced_) word_intro();
    const char* items[] = {"Franais1",   "English1", "Nederlands1",
                           "Portugues1", "Espanol1", "Italiano1"};
    for (int l = 0; l < LANGUAGES; ++l) set_checked(items[l], l == language);
    apply_captions(this, language);
    if (form4_) form4_->apply_language(language);  // a window of its own
    load_qt_translation(language);
    child<QPushButton>("Abandon3")->setText(text_of("Abandon1"));
    settings_language(language);
    recaption();
    show_names();
}

void MainWindow::load_qt_translation(int language) {
    // Debian's qt6-translations-l10n has Brazilian Portuguese only.
    static const char* const QT_CODES[LANGUAGES] = {"fr", "en", "nl", "pt_BR", "es", "it"};
    if (!qt_translator_) qt_translator_ = new QTranslator(this);
    QCoreApplication::removeTranslator(qt_translator_);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qt_translator_->load(QString("qtbase_") + QT_CODES[language], folder))
        QCoreApplication::installTranslator(qt_translator_);
}

void MainWindow::report_data_folders(bool folder_made, const std::vector<std::string>& missing) {
    for (const std::string& line : data_folder_report(folder_made, missing, language_))
        platform_.error_box(this, QString::fromStdString(line));
}

QString MainWindow::msg(Msg id) const {
    return QString::fromUtf8(message(id, language_));
}

void MainWindow::word_intro() {
    child<QLabel>("Version")->setText(
        QString::fromStdString(format_message(Msg::INTRO_VERSION, language_, QUORVEL_VERSION)));
    const std::pair<const char*, Msg> labels[] = {{"Label2D", Msg::INTRO_BOARD_2D},
                                                  {"Label3D1", Msg::INTRO_THEME_CLASSIC},
                                                  {"Label3D2", Msg::INTRO_THEME_NIGHT},
                                                  {"Label3D3", Msg::INTRO_THEME_LUXE},
                                                  {"Label3D7", Msg::INTRO_THEME_GRAND_LUXE}};
    for (auto [name, id] : labels) child<QLabel>(name)->setText(msg(id));
    // Where the person's files go, the home folder written "~".
    QString folder = QString::fromStdString(user_dir().string());
    if (folder.startsWith(QDir::homePath() + "/")) folder.replace(0, QDir::homePath().size(), "~");
    child<QLabel>("Conseil1")->setText(msg(Msg::SCREEN_ADVICE_1) + " " + folder);
    child<QLabel>("Conseil2")->setText(msg(Msg::SCREEN_ADVICE_2));
}

void MainWindow::recaption() {
    // Captions that follow the state.
    orientation_changed();
    show_colour_caption();
    set_who_plays(who_plays_computer_);
    show_mode();
    // Texts outside the caption table.
    platform_.error_title = msg(Msg::ERROR_TITLE);
    action("OuvrirunfichierVOG1")->setText(msg(Msg::OPEN_VOG_FILE));
    const std::pair<const char*, Msg> tips[] = {
        {"SpeedButton1", Msg::HINT_TO_START},     {"SpeedButton2", Msg::HINT_BACK_ONE},
        {"SpeedButton3", Msg::HINT_FORWARD_ONE},  {"SpeedButton4", Msg::HINT_TO_END},
        {"SpeedButton10", Msg::TIP_WHITE_MAN},    {"SpeedButton11", Msg::TIP_WHITE_KING},
        {"SpeedButton12", Msg::TIP_BLACK_MAN},    {"SpeedButton13", Msg::TIP_BLACK_KING},
        {"SpeedButton14", Msg::TIP_EMPTY_SQUARE}, {"Piontemoin", Msg::TIP_PIECE_CHOSEN}};
    for (auto [name, id] : tips) widget(name)->setToolTip(msg(id));
    child<QGroupBox>("GroupBox1")->setTitle(msg(Msg::PLACE_PIECES));
    child<QLabel>("Label_minutes")->setText(msg(Msg::MINUTES));
    child<QLabel>("Label_blancs")->setText(msg(Msg::NAMES_WHITE));
    child<QLabel>("Label_noirs")->setText(msg(Msg::NAMES_BLACK));
    child<QLabel>("Label15b")->setText(text_of("Label15"));
    child<QLabel>("Label_learn")->setText(text_of("Learn"));
    button_of("ListeCancel")->setText(text_of("Annule_nouveau"));
    button_of("Annul_nul")->setText(text_of("Learn_no"));
    auto* pages = child<QTabWidget>("Pages_nouveau");
    pages->setTabText(pages->indexOf(widget("Match")), text_of("Match1") + " ");
    // The two names offered for a game between people, unless the person typed others.
    for (auto [field, row] : {std::pair{"Joueur2", "Nom_blancs"}, {"Joueur3", "Nom_noirs"}}) {
        auto* edit = child<QLineEdit>(field);
        bool offered = edit->text().isEmpty();
        for (int l = 0; l < LANGUAGES; ++l)
            offered = offered || edit->text() == QString::fromUtf8(caption_of(l, row));
        if (offered) edit->setText(text_of(row));
    }
    show_placement_witness();
    show_board3d_labels();
    if (game.setup_mode) show_static_evaluations();
    word_report();
    word_progress();
    if (lesson_panel_) lesson_panel_->set_language(language_);
}

void MainWindow::Introduction() {
    if (!introduced_) {
        board_->load_pictures();
        introduced_ = true;
        // First activation: the last run's level, time control and language come back
        // (its game only with a perspective board), and saved games get their folder. A
        // language picked on the start-up panel wins over the last run's.
        if (read_resume_settings(data_path(RESUME_FILE))) {
            if (!language_picked_ && game.language < LANGUAGES) language_ = game.language;
            game.language = uint8_t(language_);
        }
        // The window reports what cannot be loaded, in the language now in force.
        platform_.error_title = msg(Msg::ERROR_TITLE);
        engine_.start();
        user_folder("Sauve");
    }
    game.side_to_move = WHITE;
    remplir();
    game.computer_to_move = 0;
    game.vs_computer = 1;
    game.computer_colour = BLACK;
    show_colour_caption();
    set_names(UNKNOWN_NAME, "Quorvel");
    game.setup_mode = 0;
    tick_level_in_force();
    clear_table();
}

void MainWindow::SpeedButton6Click() {
    const bool starting = intro_->isVisible();
    // The 2D board starts from the start position; the perspective boards resume the game
    // left at the last exit.
    if (starting) Introduction();
    leave_board3d();
    intro_->hide();
    menuBar()->setVisible(true);
    statusBar()->setVisible(true);
    board_->set_frame_visible(true);
    set_checked("Damier2D1", true);
    set_enabled("Ouvertures1", true);
    set_enabled("Numroterlescase1", true);
    board_->placer_pions();
    show_totals();
    show_clocks();
    select_language(language_);
}

// ---- set-up ---------------------------------------------------------------------------

void MainWindow::show_page(int index) {
    const QSignalBlocker block(side_);
    side_->setCurrentIndex(index);
}

void MainWindow::show_static_evaluations() {
    const int white = static_score(WHITE) / 2;
    const int black = static_score(BLACK) / 2;
    child<QLineEdit>("Blancs")->setText(
        QString::fromStdString(format_message(Msg::STATIC_EVAL_WHITE, language_, white)));
    child<QLineEdit>("Noirs")->setText(
        QString::fromStdString(format_message(Msg::STATIC_EVAL_BLACK, language_, black)));
}

void MainWindow::Installeruneposition1Click() {
    if (setup_locked()) return;
    if (defer(&MainWindow::Installeruneposition1Click)) return;
    SpeedButton6Click();
    Entrerpositionclick();
    show_page(game.setup_mode ? 2 : 0);
}

void MainWindow::Entrerpositionclick() {
    if (!game.setup_mode && setup_locked()) return;
    if (defer(&MainWindow::Entrerpositionclick)) return;
    if (entry.in_hand) {
        cancel_entry();
        board_->placer_pions();
    }
    engine_.request_stop(false);
    std::memcpy(board, shown_board, sizeof board);
    show_static_evaluations();
    QWidget* group = widget("GroupBox1");
    const bool was_computer_turn = game.computer_to_move;
    if (qv::toggle_setup_mode()) {
        show_colour_caption();
        group->show();
        library_off();  // the lists' lines start from the start position, not this one
    } else {
        group->hide();
        set_enabled("Numroterlescase1", true);
    }
    apply_locks();
    if (was_computer_turn) {
        set_who_plays(false);
        show_page(1);
    }
}

void MainWindow::placement_button(int code) {
    if (setup_locked()) return;
    placement_code_ = uint8_t(code);
    show_placement_witness();
}

namespace {
// By piece code: the set-up picture, its short name when the picture is missing, and the
// button that picks it.
const char* const PIECE_PICTURES[] = {"Images1i/v48.Bmp", "Images1i/b48.Bmp", "Images1i/bd48.Bmp",
                                      "Images1i/n48.Bmp", "Images1i/nd48.Bmp"};
const Msg PIECE_NAMES[] = {Msg::SHORT_EMPTY, Msg::SHORT_WHITE_MAN, Msg::SHORT_WHITE_KING,
                           Msg::SHORT_BLACK_MAN, Msg::SHORT_BLACK_KING};
const char* const PIECE_BUTTONS[] = {"SpeedButton14", "SpeedButton10", "SpeedButton11",
                                     "SpeedButton12", "SpeedButton13"};

QPixmap piece_picture(int code) {
    return QPixmap(QString::fromStdString(data_path(PIECE_PICTURES[code]).string()));
}
}  // namespace

void MainWindow::show_placement_witness() {
    auto* witness = child<QLabel>("Piontemoin");
    const QPixmap picture = piece_picture(placement_code_);
    if (!picture.isNull()) {
        witness->setPixmap(picture);
    } else {
        witness->setText(msg(PIECE_NAMES[placement_code_]));
        witness->setAlignment(Qt::AlignCenter);
    }
    // The piece buttons show their pieces, or their names without the pictures.
    for (int code = 0; code < 5; ++code) {
        auto* b = button_of(PIECE_BUTTONS[code]);
        const QPixmap p = piece_picture(code);
        b->setIcon(p);
        b->setIconSize(QSize(44, 44));
        b->setText(p.isNull() ? msg(PIECE_NAMES[code]) : QString());
    }
}

void MainWindow::remplir() {
    if (setup_locked()) return;
    if (defer(&MainWindow::remplir)) return;
    engine_.request_stop(false);
    qv::remplir(now());
    orientation_changed();
    widget("Panel6")->move(widget("Panel6")->x(), 8);
    widget("Panel7")->move(widget("Panel7")->x(), 428);
    cancel_entry();
    board_->placer_pions();
    entry.start_square = entry.clicked_square = 0;
    sync_list();
    show_totals();
    show_clocks();
}

void MainWindow::vider() {
    if (setup_locked()) return;
    if (defer(&MainWindow::vider)) return;
    qv::vider();
    for (int s = 1; s <= 32; ++s) draw_square(s, EMPTY);
    show_totals();
    show_set_up_record();
}

void MainWindow::show_set_up_record() {
    sync_list();
    show_clocks();
}

void MainWindow::Change_couleur() {
    if (setup_locked()) return;
    if (defer(&MainWindow::Change_couleur)) return;
    qv::Change_couleur();
    show_colour_caption();
    show_set_up_record();
}

void MainWindow::set_who_plays(bool computer) {
    who_plays_computer_ = computer;
    // The table lists the person first.
    button_of("Couleurjoue")
        ->setText(QString::fromUtf8(caption_variant(language_, "Couleurjoue", computer ? 1 : 0)));
}

void MainWindow::Couleur_joue() {
    if (setup_locked()) return;
    if (defer(&MainWindow::Couleur_joue)) return;
    qv::Couleur_joue();
    set_who_plays(game.computer_to_move);
    show_set_up_record();
}

void MainWindow::Change_dir_click() {
    if (setup_locked()) return;
    if (defer(&MainWindow::Change_dir_click)) return;
    Change_dir();
    std::memcpy(shown_board, board, sizeof board);
    board_->placer_pions();
    qv::begin_set_up_record();
    show_set_up_record();
}

void MainWindow::orientation_changed() {
    // The table lists the flipped caption first.
    child<QPushButton>("Bas_Haut")
        ->setText(
            QString::fromUtf8(caption_variant(language_, "Bas_Haut", board_state.flipped ? 0 : 1)));
    place_board3d_clocks();
}

void MainWindow::Inverser() {
    board_state.flipped = 1 - board_state.flipped;
    orientation_changed();
    board_->placer_pions();
    for (const char* n : {"Panel6", "Panel7"}) {
        QWidget* w = widget(n);
        w->move(w->x(), w->y() == 428 ? 8 : 428);
    }
    // The names and counters follow their clocks.
    const bool black_top = widget("Panel6")->y() == 8;
    name_labels_[BLACK]->move(524, black_top ? 76 : 406);
    widget("Nbpionsnoirs")->move(524, black_top ? 96 : 388);
    name_labels_[WHITE]->move(524, black_top ? 406 : 76);
    widget("Nbpionsblancs")->move(524, black_top ? 388 : 96);
    show_totals();
}

void MainWindow::numerotation_click() {
    numerotation();
    set_checked("Numroterlescase1", board_state.show_numbers != 0);
    board_->draw_labels();
}

// ---- clocks and levels ------------------------------------------------------------------

void MainWindow::show_clock(int side, int32_t seconds) {
    const QString minutes = QString::number(seconds / 60);
    const QString secs = QString::asprintf("%02d", seconds % 60);
    const int shown = side == WHITE ? WHITE : BLACK;
    clock_minutes_[shown]->setText(minutes);
    clock_seconds_[shown]->setText(secs);
    show_board3d_clock(side, seconds);
}

void MainWindow::show_clocks() {
    show_clock(WHITE, clocks.white_clock);
    show_clock(BLACK, clocks.black_clock);
}

void MainWindow::refresh_clock(int side, int32_t seconds) {
    // The search keeps the computer's clock live.
    set_search_clock(seconds, false);
    show_clock(side, seconds);
}

void MainWindow::sync_timer() {
    // Timer1 ticks only while a side is charged: an idle window does nothing.
    const bool tick = clocks_charging();
    if (tick == timer_->isActive()) return;
    if (tick)
        timer_->start();
    else
        timer_->stop();
}

void MainWindow::ajouter_temps() {
    sync_timer();
    if (!clocks_charging()) {  // over, held or paused: the clocks as charged
        show_clocks();
        return;
    }
    const bool computer_searching = flow.searching && game.computer_to_move;
    qv::ajouter_temps(now(), computer_searching);
    if (computer_searching) return;
    show_clock(WHITE, game.side_to_move == WHITE ? clocks.white_shown : clocks.white_clock);
    show_clock(BLACK, game.side_to_move == BLACK ? clocks.black_shown : clocks.black_clock);
}

void MainWindow::Horlogeszro1Click() {
    qv::reset_clocks_and_state(now());
    show_clocks();
}

void MainWindow::Pause2Click() {
    // Before the first click no clock runs yet, so there is no time to charge.
    qv::toggle_pause(now(), flow.searching);
    sync_timer();
    set_checked("Pause2", !clocks.timer_running);
}

void MainWindow::set_level(int level_index) {
    if (!select_level(level_index)) select_level(5);
    for (const char* item : LEVEL_ITEMS)
        if (item) set_checked(item, false);
    set_checked("N8Autre1", false);
    set_checked(LEVEL_ITEMS[clocks.level_index], true);
    child<QLineEdit>("Nbminutes")->setText(QString::number(clocks.nb_minutes));
    engine_.set_level(clocks.time_budget, clocks.clock_limit);
}

void MainWindow::tick_level_in_force() {
    if (clocks.level_index == 18) {  // "Autre" with its minutes
        child<QLineEdit>("Nbminutes")->setText(QString::number(clocks.nb_minutes));
        BitBtn24Click();
    } else {
        set_level(clocks.level_index);
    }
}

void MainWindow::N8Autre1Click() {
    set_checked("N8Autre1", clocks.level_index == 18);  // ticked only once a value is accepted
    QWidget* panel = widget("Panel9");
    panel->show();
    panel->raise();
}

void MainWindow::BitBtn24Click() {
    if (!autre(child<QLineEdit>("Nbminutes")->text().trimmed().toStdString())) {
        refuse("Refus_minutes", Msg::REFUSED_MINUTES);
        return;
    }
    widget("Panel9")->hide();
    for (const char* item : LEVEL_ITEMS)
        if (item) set_checked(item, false);
    set_checked("N8Autre1", true);
    engine_.set_level(clocks.time_budget, clocks.clock_limit);
}

void MainWindow::BitBtn25Click() {
    widget("Panel9")->hide();
    set_checked("N8Autre1", clocks.level_index == 18);
    board_->placer_pions();
}

void MainWindow::Changerlesnoms1Click() {
    child<QLineEdit>("Edit2")->setText(shown_name(game.white_name));
    child<QLineEdit>("Edit3")->setText(shown_name(game.black_name));
    QWidget* panel = widget("Joueurs");
    panel->show();
    panel->raise();
}

void MainWindow::OKjoueurClick() {
    widget("Joueurs")->hide();
    set_names(stored_name(child<QLineEdit>("Edit2")->text()),
              stored_name(child<QLineEdit>("Edit3")->text()));
}

void MainWindow::Cancel_joueursClick() {
    widget("Joueurs")->hide();
}

}  // namespace qv::ui
