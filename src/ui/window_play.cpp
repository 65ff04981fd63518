// Navigation in the game, new games and modes, quitting, text files, printing, help.
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/movegen.h"
#include "board/now.h"
#include "files/game_file.h"
#include "files/text_game.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/players.h"
#include "game/session.h"
#include "lang/messages.h"
#include "lang/progress_text.h"
#include "search/tt.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/help_window.h"
#include "ui/import_messages.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui {

// ---- navigation -------------------------------------------------------------------------

void MainWindow::refresh_after_navigation() {
    cancel_entry();
    board_->placer_pions();
    set_names(QString::fromStdString(game.white_name), QString::fromStdString(game.black_name));
    show_clocks();
    show_totals();
    sync_list();
}

void MainWindow::reprise() {
    if (defer(&MainWindow::reprise)) return;
    engine_.request_stop(true);
    qv::reprise(now());
    refresh_after_navigation();
}

void MainWindow::avancer() {
    if (defer(&MainWindow::avancer)) return;
    engine_.request_stop(true);
    qv::avancer(now());
    refresh_after_navigation();
}

void MainWindow::revenir_debut() {
    if (defer(&MainWindow::revenir_debut)) return;
    engine_.request_stop(true);
    qv::revenir_debut(now());
    refresh_after_navigation();
}

void MainWindow::Aller_fin() {
    if (defer(&MainWindow::Aller_fin)) return;
    engine_.request_stop(true);
    qv::Aller_fin(now());
    refresh_after_navigation();
}

void MainWindow::revenir_n(int line) {
    if (flow.searching || line < 0) return;
    if (!qv::revenir_n(line)) return;
    cancel_entry();
    board_->placer_pions();
    show_clocks();
}

// ---- new games and modes -----------------------------------------------------------------

void MainWindow::set_names(const QString& white, const QString& black) {
    qv::set_names(white.toStdString(), black.toStdString());
    show_names();
}

void MainWindow::show_names() {
    name_labels_[WHITE]->setText(shown_name(game.white_name));
    name_labels_[BLACK]->setText(shown_name(game.black_name));
    show_board3d_labels();
}

QString MainWindow::shown_name(const std::string& stored) const {
    return stored == UNKNOWN_NAME ? text_of("Msg_joueur_inconnu") : QString::fromStdString(stored);
}

QString MainWindow::stored_name(const QString& shown) const {
    return shown == text_of("Msg_joueur_inconnu") ? QString(UNKNOWN_NAME) : shown;
}

void MainWindow::Nouveau2Click() {
    if (defer(&MainWindow::Nouveau2Click)) return;
    engine_.request_stop(false);
    if (game.setup_mode) {
        Entrerpositionclick();
        show_page(0);
    }
    qv::start_new_game();
    sync_list();
    // A lesson's "Suivant ->" would replace whatever game comes next.
    button_of("Panel13")->hide();
    button_of("Panel14")->hide();
    widget("LessonPanel")->hide();
    fill_new_game_lists();
    QWidget* panel = widget("Nouvelle_partie");
    panel->show();
    panel->raise();
}

void MainWindow::new_game_common() {
    widget("Nouvelle_partie")->hide();
    if (board_state.flipped) Inverser();
}

void MainWindow::BitBtn15Click() {
    const QString person = training_page_.name->text().trimmed();
    const bool computer_white = training_page_.computer_white->isChecked();
    new_game_common();
    start_training(person.toStdString(), computer_white, now());
    set_checked("Humaincontrehumain1", false);
    show_options();
    if (computer_white) Inverser();  // the computer opens from the top of the picture
    show_colour_caption();
    refresh_after_navigation();
}

void MainWindow::BitBtn16Click() {
    const QString person = match_page_.name->text().trimmed();
    const bool computer_white = match_page_.computer_white->isChecked();
    // The person needs a line of the players table: a name not there yet is added.
    PlayersTable table;
    if (!read_players(folder_holding("joueurs.dat"), table)) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    const size_t known = table.names.size();
    const int line = person_line(table, person.toStdString(), match_page_.players->currentRow());
    if (line <= 0) {  // no name, or the computer's own
        refuse("Refus_nouveau",
               person.isEmpty() ? Msg::REFUSED_NAME_MISSING : Msg::REFUSED_COMPUTER_NOT_A_PERSON);
        return;
    }
    if (line > 0 && table.names.size() > known && !write_players(user_dir(), table)) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    if (!start_match(table, person.toStdString(), line, computer_white, now())) return;
    new_game_common();
    set_checked("Humaincontrehumain1", false);
    show_options();
    apply_locks();
    if (computer_white) Inverser();
    show_colour_caption();
    refresh_after_navigation();
}

void MainWindow::BitBtn17Click() {
    const QString white = child<QLineEdit>("Joueur2")->text().trimmed();
    const QString black = child<QLineEdit>("Joueur3")->text().trimmed();
    // Line 0 of either list is the computer, which does not play here.
    const int white_line = child<QListWidget>("ListBox10")->currentRow();
    const int black_line = child<QListWidget>("ListBox11")->currentRow();
    if (const auto why =
            two_players_refusal(white.toStdString(), black.toStdString(), white_line, black_line)) {
        refuse("Refus_nouveau", *why);
        return;
    }
    start_two_players(white.toStdString(), black.toStdString(), white_line, black_line, now());
    new_game_common();
    set_checked("Humaincontrehumain1", true);
    show_options();
    mode_component_ = "Humain";
    show_mode();
    refresh_after_navigation();
}

void MainWindow::Annule_nouveauClick() {
    widget("Nouvelle_partie")->hide();
    board_->placer_pions();
}

void MainWindow::inverser_joueurs() {
    if (defer(&MainWindow::inverser_joueurs)) return;
    qv::inverser_joueurs();
    show_colour_caption();
    set_names(QString::fromStdString(game.white_name), QString::fromStdString(game.black_name));
}

void MainWindow::Ordinateur() {
    game.vs_computer = 1 - game.vs_computer;
    set_checked("Humaincontrehumain1", game.vs_computer == 0);
}

void MainWindow::Ordinateurcontreordinateur1Click() {
    // The tick has already set the option (connect_option_ticks).
    set_checked("Humaincontrehumain1", false);
    game.vs_computer = 1;
}

// ---- quitting ---------------------------------------------------------------------------

void MainWindow::quitter() {
    engine_.request_stop(true);
    qv::quitter(user_dir(), child<QLineEdit>("Nbminutes")->text().toStdString());
    clear_table();
    session.quit_requested = 1;
    close();
}

void MainWindow::save() {
    const QString dir = QString::fromStdString(user_folder("Sauve").string());
    const QString path =
        platform_.save_file_name(this, dir, msg(Msg::FILTER_GAME_FILES) + " (*.dam *.DAM)", "dam");
    if (!path.isEmpty())
        qv::save(path.toStdString(), child<QLineEdit>("Nbminutes")->text().toStdString());
    board_->placer_pions();
}

void MainWindow::ouvre() {
    if (defer(&MainWindow::ouvre)) return;
    const QString dir = QString::fromStdString(user_folder("Sauve").string());
    const QString path =
        platform_.open_file_name(this, dir, msg(Msg::FILTER_GAME_FILES) + " (*.dam *.DAM)");
    if (path.isEmpty()) return;
    if (qv::ouvre(path.toStdString())) after_open();
}

void MainWindow::after_open() {
    tick_level_in_force();  // the level read with the game
    refresh_after_navigation();
}

// ---- Host ----------------------------------------------------------------------------

void MainWindow::show_error(Msg message) {
    platform_.error_box(this, msg(message));
}

void MainWindow::report_fatal(Msg message) {
    // The caller ends the process next: the line for a terminal, the box for the person.
    std::printf("%s\n", qv::message(message, language_));
    std::fflush(stdout);
    platform_.error_box(this, msg(message));
}

void MainWindow::show_progress(const SearchProgress& progress) {
    last_progress_ = progress;
    has_progress_ = true;
    word_progress();
}

void MainWindow::word_progress() {
    if (!has_progress_) return;
    list_progress_->clear();
    for (const std::string& l : progress_lines(last_progress_, language_))
        list_progress_->addItem(QString::fromStdString(l));
}

void MainWindow::clear_root_moves() {
    list_root_->clear();
}

void MainWindow::set_root_move(int index, std::string_view text) {
    const QString t = QString::fromUtf8(text.data(), qsizetype(text.size()));
    while (list_root_->count() <= index) list_root_->addItem(QString());
    list_root_->item(index)->setText(t);
}

// ---- text files, printing, help -----------------------------------------------------------

void MainWindow::Crerunfichiertexte1Click() {
    const QString path =
        platform_.save_file_name(this, documents_folder(),
                                 msg(Msg::FILTER_TEXT_FILES) + " (*.txt *.TXT);;" +
                                     msg(Msg::FILTER_COMMENT_FILES) + " (*.damt *.DAMT)",
                                 "txt");
    if (path.isEmpty()) return;
    write_text_game(path.toStdString());
}

int MainWindow::choose_text_game(const std::vector<std::string>& lines) {
    auto* list = child<QListWidget>("ListBox16");
    list->clear();
    for (const std::string& l : lines) list->addItem(QString::fromStdString(l));
    QWidget* panel = widget("Panel2");
    panel->show();
    panel->raise();
    int chosen = -1;
    QEventLoop wait;
    auto ok = connect(button_of("ListeOK"), &QPushButton::clicked, &wait, [&] {
        chosen = list->currentRow();
        wait.quit();
    });
    auto cancel = connect(button_of("ListeCancel"), &QPushButton::clicked, &wait, [&] {
        chosen = -1;
        wait.quit();
    });
    wait.exec();
    disconnect(ok);
    disconnect(cancel);
    panel->hide();
    return chosen;
}

void MainWindow::Ouvrirunfichiertexte1Click() {
    if (defer(&MainWindow::Ouvrirunfichiertexte1Click)) return;
    const QString path = platform_.open_file_name(
        this, documents_folder(),
        msg(Msg::FILTER_TEXT_FILES) + " (*.txt *.TXT);;" + msg(Msg::FILTER_DOC_FILES) +
            " (*.doc *.DOC);;" + msg(Msg::FILTER_DYNAMO_FILES) + " (*.pdn *.PDN)");
    if (path.isEmpty()) return;
    std::string text;
    if (!read_text_file(path.toStdString(), text)) return;
    const auto games = scan_text_games(text);
    if (games.empty()) return;
    int g = 0;
    if (games.size() > 1) g = choose_text_game(choice_lines(games));
    if (g < 0) return;
    // A game that cannot be imported is named with its move; the game in hand stays.
    TextGame tg;
    TextProblem why;
    if (!parse_text_game(text, g, tg, why) || !load_text_game(tg, now(), why)) {
        platform_.error_box(this, import_message(language_, why));
        return;
    }
    refresh_after_navigation();
}

namespace {

// The start position of a printout, `cell` pixels a square, from its top-left corner.
void draw_diagram(QPainter& p, const Printout& out, QPoint at, int cell) {
    p.save();
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const QRect r(at.x() + col * cell, at.y() + row * cell, cell, cell);
            const int s = square_from_cell(row, col);
            p.fillRect(r, s ? QColor(150, 150, 150) : Qt::white);
            if (!s || out.start[s] == EMPTY) continue;
            const uint8_t piece = out.start[s];
            p.setPen(QPen(Qt::black, std::max(1, cell / 20)));
            p.setBrush(is_white(piece) ? Qt::white : Qt::black);
            const QRect disc = r.adjusted(cell / 8, cell / 8, -cell / 8, -cell / 8);
            p.drawEllipse(disc);
            if (is_king(piece)) {  // a king: a ring inside the disc
                p.setPen(QPen(is_white(piece) ? Qt::black : Qt::white, std::max(1, cell / 14)));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(disc.adjusted(cell / 6, cell / 6, -cell / 6, -cell / 6));
            }
        }
    }
    p.setPen(QPen(Qt::black, std::max(1, cell / 20)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(at.x(), at.y(), 8 * cell, 8 * cell);
    p.restore();
}

}  // namespace

void MainWindow::print_to(QPrinter& printer) {
    QPainter p;
    if (!p.begin(&printer)) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    const Printout out = printout();
    QFont font("monospace", 11);
    p.setFont(font);
    const int h = p.fontMetrics().height();
    const int page_height = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    p.drawText(5, 5 + h, QString::fromStdString(out.heading));
    int top = 2 * h + 150;  // where the moves begin on the first page
    if (out.diagram) {
        const int cell = std::max(8, printer.resolution() / 3);  // a third of an inch
        draw_diagram(p, out, {5, 3 * h}, cell);
        const Msg side = out.first_side == WHITE ? Msg::WHITE_TO_MOVE : Msg::BLACK_TO_MOVE;
        p.drawText(5, 3 * h + 8 * cell + 2 * h, msg(side));
        top = 3 * h + 8 * cell + 4 * h;
    }
    int y = top;
    for (const std::string& row : out.rows) {
        if (y + h > page_height) {
            printer.newPage();
            y = h;
        }
        p.drawText(1, y, QString::fromStdString(row));
        y += 2 * h;
    }
    p.end();
}

void MainWindow::Imprimer1Click() {
    QPrinter printer;
    // The print dialog names its PDF file after this.
    printer.setDocName(QString::fromStdString(game_document_name()));
    if (!platform_.choose_printer(this, printer)) return;
    print_to(printer);
}

void MainWindow::Best1Click() {
    std::vector<std::string> lines;
    for (int i = 0; i < list_progress_->count(); ++i)
        lines.push_back(list_progress_->item(i)->text().toStdString());
    if (lines.empty()) {
        platform_.info_box(this, msg(Msg::BESTMOVE_NOTHING));
        return;
    }
    const auto path = user_dir() / "Bestmove.txt";
    if (!write_bestmove(path, lines)) return;  // the error is shown
    platform_.info_box(
        this, QString::fromStdString(format_message(Msg::BESTMOVE_WRITTEN, language_,
                                                    int(lines.size()), path.string().c_str())));
}

void MainWindow::Guide1Click() {
    open_help(help_page(HelpBook::Guide, language_));
}

void MainWindow::Rgles1Click() {
    open_help(help_page(HelpBook::Rules, language_));
}

void MainWindow::open_help(const char* page) {
    const auto path = data_path(std::string("help/") + page);
    if (!std::filesystem::is_regular_file(path)) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    platform_.show_help(this, QString::fromStdString(path.string()));
}

}  // namespace qv::ui
