// Navigation in the game, new games and modes, quitting, text files, printing, help.
#include <QAction>
#include <QApplication>
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
#include <cstring>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/movegen.h"
#include "board/now.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/main_window.h"
#include "ui/record.h"
#include "ui/session.h"

namespace qv::ui {

// ---- navigation -------------------------------------------------------------------------

void MainWindow::navigation_common(bool keep_state) {
    (void)keep_state;
    const PlyEntry& e = load_ply();
    std::memcpy(shown_board, board, sizeof board);
    cancel_entry();
    board_->placer_pions();
    white_clock_ = e.white_clock;
    black_clock_ = e.black_clock;
    white_shown_ = white_clock_;
    black_shown_ = black_clock_;
    show_clocks();
    white_turn_start_ = black_turn_start_ = now();
    show_totals();
    session.skip_ponder = 1;
    session.last_from = session.last_to = 0;
}

void MainWindow::reprise() {
    if (defer(&MainWindow::reprise)) return;
    engine_.request_stop(true);
    if (record.current_ply > 0) {
        --record.current_ply;
        list_moves_->setCurrentRow(record.current_ply / 2 - 1);
        navigation_common(false);
        session.side_to_move = 1 - session.side_to_move;
    } else {
        show_totals();
        session.skip_ponder = 1;
    }
    session.computer_to_move = 0;
}

void MainWindow::avancer() {
    if (defer(&MainWindow::avancer)) return;
    engine_.request_stop(true);
    session.game_state = 0;
    if (record.current_ply < record.last_ply) {
        ++record.current_ply;
        list_moves_->setCurrentRow(record.current_ply / 2 - 1);
        navigation_common(false);
        session.side_to_move = 1 - session.side_to_move;
    } else {
        show_totals();
        session.skip_ponder = 1;
    }
}

void MainWindow::revenir_debut() {
    if (defer(&MainWindow::revenir_debut)) return;
    engine_.request_stop(true);
    session.game_state = 0;
    record.current_ply = 0;
    navigation_common(false);
    session.side_to_move = WHITE;
}

void MainWindow::Aller_fin() {
    if (defer(&MainWindow::Aller_fin)) return;
    engine_.request_stop(true);
    session.game_state = 0;
    record.current_ply = record.last_ply;
    navigation_common(false);
    session.side_to_move = record.side_after_last_move;
}

void MainWindow::revenir_n(int line) {
    if (session.searching || line < 0) return;
    const int p = record.current_ply % 2 ? 2 * line + 1 : 2 * line;
    if (p > record.last_ply) return;
    record.current_ply = p;
    const PlyEntry& e = load_ply();
    std::memcpy(shown_board, board, sizeof board);
    cancel_entry();
    board_->placer_pions();
    white_clock_ = e.white_clock;
    black_clock_ = e.black_clock;
    show_clocks();
}

// ---- new games and modes -----------------------------------------------------------------

void MainWindow::set_names(const QString& white, const QString& black) {
    // The record keeps at most 19 characters of a name.
    white_name_ = white.left(19);
    black_name_ = black.left(19);
    findChild<QLabel*>("Nom_blanc")->setText(white_name_);
    findChild<QLabel*>("Nom_noir")->setText(black_name_);
    show_board3d_labels();
}

void MainWindow::Nouveau2Click() {
    if (defer(&MainWindow::Nouveau2Click)) return;
    engine_.request_stop(false);
    session.game_result = 3;
    auto* list = findChild<QListWidget*>("ListBox8");
    list->clear();
    QFile names(QString::fromStdString(data_path("joueurs.dat").string()));
    if (names.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&names);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (!line.isEmpty()) list->addItem(line);
        }
    }
    if (session.setup_mode) {
        Entrerpositionclick();
        show_page(0);
    }
    QWidget* panel = widget("Nouvelle_partie");
    panel->show();
    panel->raise();
}

void MainWindow::new_game_common() {
    widget("Nouvelle_partie")->hide();
    remplir();
    Horlogeszro1Click();
    if (board_state.flipped) Inverser();
}

void MainWindow::BitBtn15Click() {
    const QString person = findChild<QLineEdit*>("Joueur0")->text().trimmed();
    new_game_common();
    session.vs_computer = 1;
    session.game_state = 0;
    set_checked("Arretrflexionparclicsouris1", true);
    set_checked("Humaincontrehumain1", false);
    set_checked("Ordinateurcontreordinateur1", false);
    const bool computer_white = findChild<QRadioButton*>("Tarnavel_blanc")->isChecked();
    if (!computer_white) {
        session.computer_colour = BLACK;
        set_names(person.isEmpty() ? "Inconnu" : person, "Quorvel");
        show_colour_caption();
    } else {
        // The computer opens: the picture turns and the players swap.
        session.computer_colour = BLACK;
        set_names(person.isEmpty() ? "Inconnu" : person, "Quorvel");
        Inverser();
        inverser_joueurs();
    }
}

void MainWindow::BitBtn17Click() {
    const QString white = findChild<QLineEdit*>("Joueur2")->text().trimmed();
    const QString black = findChild<QLineEdit*>("Joueur3")->text().trimmed();
    if (white.isEmpty() || black.isEmpty() || white == black) return;
    new_game_common();
    set_checked("Humaincontrehumain1", true);
    set_checked("Ordinateurcontreordinateur1", false);
    session.vs_computer = 0;
    session.game_state = 0;
    set_checked("Arretrflexionparclicsouris1", true);
    set_names(white, black);
    findChild<QLabel*>("Panel11")->setText("Humain contre humain");
}

void MainWindow::Annule_nouveauClick() {
    widget("Nouvelle_partie")->hide();
    board_->placer_pions();
}

void MainWindow::inverser_joueurs() {
    if (defer(&MainWindow::inverser_joueurs)) return;
    session.game_state = 0;
    session.computer_colour = 1 - session.computer_colour;
    show_colour_caption();
    const QString w = white_name_, b = black_name_;
    set_names(b, w);
    std::memcpy(board, shown_board, sizeof board);
    // The running loop lets the computer play at its next pass.
    session.computer_to_move = 1;
}

void MainWindow::Ordinateur() {
    session.vs_computer = 1 - session.vs_computer;
    set_checked("Humaincontrehumain1", session.vs_computer == 0);
}

void MainWindow::Ordinateurcontreordinateur1Click() {
    set_checked("Humaincontrehumain1", false);
    session.vs_computer = 1;
}

// ---- quitting ---------------------------------------------------------------------------

void MainWindow::quitter() {
    engine_.request_stop(true);
    std::memcpy(board, shown_board, sizeof board);
    session.quit_requested = 1;
    close();
}

// ---- Host ----------------------------------------------------------------------------

void MainWindow::show_error(std::string_view text) {
    platform_.error_box(this, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void MainWindow::show_progress(std::span<const std::string> lines) {
    list_progress_->clear();
    for (const std::string& l : lines) list_progress_->addItem(QString::fromStdString(l));
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

namespace {
// The complete move pairs up to the position shown.
QStringList shown_lines(const QListWidget* list, int current_ply) {
    QStringList lines;
    for (int i = 0; i < list->count() && i < current_ply / 2; ++i) lines << list->item(i)->text();
    return lines;
}

bool write_text_atomically(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(data);
    return file.commit();
}
}  // namespace

void MainWindow::Crerunfichiertexte1Click() {
    const QString path =
        platform_.save_file_name(this, QString::fromStdString(program_dir().string()),
                                 "Fichiers texte (*.txt);;Fichiers commentaires (*.damt)", "txt");
    if (path.isEmpty()) return;
    const char* results[] = {"  0-2", "  1-1", "  2-0", ""};
    QString text = white_name_ + "-" + black_name_ + " " +
                   (session.game_result < 3 ? results[session.game_result] : "") + "\r\n";
    text += "Quorvel144\r\n";
    const QStringList lines = shown_lines(list_moves_, record.current_ply);
    for (int i = 0; i < lines.size(); ++i) {
        text += lines[i] + "  ";
        if (i % 4 == 3 || i + 1 == lines.size()) text += "\r\n";
    }
    if (!write_text_atomically(path, text.toUtf8()))
        platform_.error_box(this, QString::fromUtf8("Impossible d'ouvrir ce fichier"));
}

void MainWindow::print_to(QPrinter& printer) {
    QPainter p;
    if (!p.begin(&printer)) {
        platform_.error_box(this, QString::fromUtf8("Impossible d'ouvrir ce fichier"));
        return;
    }
    QFont font("monospace", 11);
    p.setFont(font);
    const int h = p.fontMetrics().height();
    const int page_height = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const int per_page = std::max(4, page_height / h);
    p.drawText(5, 5 + h, white_name_ + "-" + black_name_);
    const QStringList lines = shown_lines(list_moves_, record.current_ply);
    for (int k = 0; k * 6 < lines.size(); ++k) {
        if (k > 0 && (2 * k) % per_page == 0) printer.newPage();
        QString row;
        for (int j = k * 6; j < std::min<int>(lines.size(), k * 6 + 6); ++j)
            row += lines[j] + (j == k * 6 ? " " : "  ");
        p.drawText(1, ((2 * k) % per_page) * h + h + 150, row);
    }
    p.end();
}

void MainWindow::Imprimer1Click() {
    QPrinter printer;
    printer.setDocName("String Grid Printout");
    if (!platform_.choose_printer(this, printer)) return;
    print_to(printer);
}

void MainWindow::Best1Click() {
    QByteArray data;
    for (int i = 0; i < list_progress_->count(); ++i)
        data += list_progress_->item(i)->text().toUtf8() + "\r\n";
    const QString path = QString::fromStdString(program_dir().string()) + "/Bestmove.txt";
    if (!write_text_atomically(path, data))
        platform_.error_box(this, QString::fromUtf8("Impossible d'ouvrir ce fichier"));
}

void MainWindow::Guide1Click() {
    const char* files[] = {"Quorvel.html",   "Quorvel_e.html",  "Quorvel_nl.html",
                           "Quorvel_p.html", "Quorvel_es.html", "Quorvel_e.html"};
    platform_.show_help(
        this, QString::fromStdString(data_path(std::string("help/") + files[language_]).string()));
}

void MainWindow::Rgles1Click() {
    const char* files[] = {"Rquorvel_f.html", "Rquorvel_e.html", "Rquorvel_nl.html",
                           "Rquorvel_p.html", "Rquorvel_i.html", "Rquorvel_i.html"};
    platform_.show_help(
        this, QString::fromStdString(data_path(std::string("help/") + files[language_]).string()));
}

}  // namespace qv::ui
