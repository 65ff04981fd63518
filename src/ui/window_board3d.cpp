// The perspective board in the window: its panel with clocks, names and counters, the
// style entries of "Affichage", blind play, the bitmap export, clicks on the picture and
// the style buttons of the start-up panel.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <tuple>

#include "board/board.h"
#include "board/board3d_geometry.h"
#include "board/data_dir.h"
#include "files/game_file.h"
#include "game/game_record.h"
#include "lang/messages.h"
#include "ui/board3d_view.h"
#include "ui/board_widget.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui {

namespace {
// Window width and side-panel place with the 2D board, and with the perspective board.
constexpr int WIDTH_2D = 975, SIDE_X_2D = 654;
constexpr int WIDTH_3D = 1110, SIDE_X_3D = 790;
// Clock tops on the perspective board: the upper and the lower place.
constexpr int CLOCK_TOP_UP = 56, CLOCK_TOP_DOWN = 448;
// Widgets of the 2D board's right column that stay in use on the perspective board: they
// move to the picture's left margin, at these places.
struct Shared {
    const char* name;
    QPoint at_2d;
    QPoint at_3d;
};
constexpr Shared SHARED[] = {
    {"Panel11", {524, 128}, {8, 176}},     {"Label29", {524, 170}, {8, 212}},
    {"Label31", {524, 190}, {8, 232}},     {"Label30", {524, 210}, {8, 252}},
    {"Proposernul", {530, 250}, {8, 290}},
};
}  // namespace

void MainWindow::build_board3d() {
    auto* panel = new QFrame(central_);
    panel->setObjectName("Damier3d");
    panel->setGeometry(0, 0, BOARD3D_WIDTH, BOARD3D_HEIGHT);
    panel->hide();
    view3d_ = new Board3dView(panel);
    view3d_->move(0, 0);
    board_->set_follower(view3d_);
    connect(view3d_, &Board3dView::pressed, this, &MainWindow::DamierImage1Click);

    const QString clock_style =
        "QFrame{background:rgba(24,30,36,210);border:2px solid #a0a0a0;border-radius:4px}"
        "QLabel{color:#f0f0f0;font:bold 20px monospace;border:none;background:transparent}";
    const QString tag_style =
        "QLabel{color:#f4ecd8;background:rgba(20,20,20,170);border-radius:3px;"
        "padding-left:4px;font:bold 13px}";
    for (auto [clock, min, sec, top] :
         {std::tuple{"Horlogenoir3d", "minnoir3d", "secnoir3d", CLOCK_TOP_UP},
          std::tuple{"Horlogeblanc3d", "minblanc3d", "secblanc3d", CLOCK_TOP_DOWN}}) {
        auto* f = new QFrame(panel);
        f->setObjectName(clock);
        f->setGeometry(8, top, 112, 44);
        f->setStyleSheet(clock_style);
        add_label(f, min, QRect(4, 6, 46, 30))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        add_label(f, "", QRect(51, 6, 10, 30))->setText(":");
        add_label(f, sec, QRect(62, 6, 44, 30));
    }
    // A name and its piece counter share a line beside their clock.
    for (const char* name : {"N3D", "B3D"})
        add_label(panel, name, QRect(8, 0, 84, 18))->setStyleSheet(tag_style);
    for (const char* name : {"Nbn3d", "Nbb3d"}) {
        QLabel* count = add_label(panel, name, QRect(92, 0, 28, 18));
        count->setStyleSheet(tag_style + "QLabel{padding-left:0px}");
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    add_label(panel, "Coups3d", QRect(8, 360, 112, 18))->setStyleSheet(tag_style);
    // The perspective board's own resign button, in its left margin.
    add_button(panel, "Abandon2", QRect(8, 322, 112, 26), &MainWindow::AbandonClick)->hide();
    place_board3d_clocks();

    // Styles: menu entries and start-up buttons, offered when their pictures exist.
    ThemeState& themes = view3d_->themes();
    detect_availability(themes);
    for (int theme = 1; theme <= THEMES; ++theme) {
        const ThemeRow& row = theme_row(theme);
        QAction* entry = action(row.action);
        entry->setEnabled(themes.available[theme]);
        connect(entry, &QAction::triggered, this, [this, theme] { Damier3DClick(theme); });
        auto* b = child<QPushButton>(row.button);
        b->setEnabled(true);
        connect(b, &QPushButton::clicked, this, [this, theme] { pick_theme(theme); });
    }
    QAction* blind = action("Jeuenaveugle1");
    connect(blind, &QAction::triggered, this, &MainWindow::Jeuenaveugle1Click);
    QAction* bitmap = action("Editerlimagefichierbmp1");
    bitmap->setEnabled(true);
    connect(bitmap, &QAction::triggered, this, &MainWindow::Editerlimagefichierbmp1Click);
    QAction* dots = action("Indicationdesmouvements1");
    view3d_->set_move_dots(dots->isChecked());
    connect(dots, &QAction::toggled, view3d_, &Board3dView::set_move_dots);
    intro_->raise();
}

void MainWindow::show_board3d(bool on) {
    QWidget* panel = widget("Damier3d");
    panel->setVisible(on);
    central_->setFixedSize(on ? WIDTH_3D : WIDTH_2D, central_->height());
    side_->move(on ? SIDE_X_3D : SIDE_X_2D, side_->y());
    if (on) panel->raise();
    for (const Shared& w : SHARED) {
        QWidget* shared = widget(w.name);
        shared->move(on ? w.at_3d : w.at_2d);
        shared->setAutoFillBackground(on);
        if (on) shared->raise();
    }
    // Notices and floating panels stay above the picture.
    for (const char* name : {"Zut", "Nulrefus", "Panel8", "fin_de_parties", "Learn", "Panel9",
                             "Joueurs", "Nouvelle_partie"})
        if (on) widget(name)->raise();
    adjustSize();
}

void MainWindow::Damier3DClick(int theme) {
    show_board3d(true);
    set_checked("Damier2D1", false);
    for (int t = 1; t <= THEMES; ++t) set_checked(theme_row(t).action, t == theme);
    set_enabled("Jeuenaveugle1", true);
    set_enabled("Ouvertures1", true);
    view3d_->switch_to(theme);
    board_->placer_pions();
    show_board3d_labels();
}

void MainWindow::leave_board3d() {
    view3d_->switch_to_2d();
    show_board3d(false);
    for (int t = 1; t <= THEMES; ++t) set_checked(theme_row(t).action, false);
}

void MainWindow::pick_theme(int theme) {
    if (!intro_->isVisible()) return;
    Introduction();
    if (view3d_->themes().loaded_set != 1) view3d_->load_sprite_set(1);
    // The game left at the last exit comes back.
    const auto resume = data_path(RESUME_FILE);
    if (std::filesystem::exists(resume) && resume_game(resume)) {
        after_open();
        restore_saved_table_size();
    }
    intro_->hide();
    menuBar()->setVisible(true);
    statusBar()->setVisible(true);
    board_->set_frame_visible(true);
    Damier3DClick(picked_theme(view3d_->themes(), theme));
    show_totals();
    show_clocks();
    select_language(language_);
}

void MainWindow::Jeuenaveugle1Click() {
    // The entry's tick has already changed: ticked now means blind play begins.
    if (checked("Jeuenaveugle1")) {
        view3d_->set_blind(true);
    } else {
        view3d_->set_blind(false);
        board_->placer_pions();
    }
}

void MainWindow::Editerlimagefichierbmp1Click() {
    const QString path = platform_.save_file_name(
        this, documents_folder(), msg(Msg::FILTER_PICTURES) + " (*.bmp *.BMP)", "bmp");
    if (path.isEmpty()) return;
    if (!view3d_->save_bitmap(path)) show_error(Msg::CANNOT_OPEN_FILE);
}

void MainWindow::DamierImage1Click(QPoint p) {
    if (intro_->isVisible()) return;
    if (game.computer_to_move && game.vs_computer && !game.setup_mode) {
        if (game.game_state != FREE_GAME) return;
        if (!game.stop_on_click) return;
    }
    const int place = board3d_place_at(p.x(), p.y());
    if (place == 0) return;
    // The click is stored as the 2D board's click on the square at that place.
    const ClickPoint c = board3d_click_point(place);
    session.pending_click = 1;
    session.pending_x = c.x;
    session.pending_y = c.y;
    engine_.request_stop(false);
}

void MainWindow::place_board3d_clocks() {
    const bool flipped = board_state.flipped != 0;
    const int black_top = flipped ? CLOCK_TOP_DOWN : CLOCK_TOP_UP;
    const int white_top = flipped ? CLOCK_TOP_UP : CLOCK_TOP_DOWN;
    widget("Horlogenoir3d")->move(8, black_top);
    widget("Horlogeblanc3d")->move(8, white_top);
    // Name and counter beside their clock: below the upper one, above the lower one.
    auto tags = [this](int top, const char* name, const char* count) {
        const int y = top == CLOCK_TOP_UP ? top + 48 : top - 22;
        widget(name)->move(8, y);
        widget(count)->move(92, y);
    };
    tags(black_top, "N3D", "Nbn3d");
    tags(white_top, "B3D", "Nbb3d");
}

void MainWindow::show_board3d_clock(int side, int32_t seconds) {
    child<QLabel>(side == WHITE ? "minblanc3d" : "minnoir3d")
        ->setText(QString::number(seconds / 60));
    child<QLabel>(side == WHITE ? "secblanc3d" : "secnoir3d")
        ->setText(QString::asprintf("%02d", seconds % 60));
}

void MainWindow::show_board3d_labels() {
    const auto totals = count_pieces();
    child<QLabel>("Nbb3d")->setText(QString::asprintf(" %2d", totals.white));
    child<QLabel>("Nbn3d")->setText(QString::asprintf(" %2d", totals.black));
    child<QLabel>("B3D")->setText(shown_name(game.white_name) + " : ");
    child<QLabel>("N3D")->setText(shown_name(game.black_name) + " : ");
    child<QLabel>("Coups3d")->setText(QString::fromStdString(
        format_message(Msg::MOVE_COUNTER, language_, game.current_ply / 2 + 1)));
}

}  // namespace qv::ui
