// The players table from the window: a new player with a starting capital, and the
// deletion of a player (never the computer on line 0).
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "board/data_dir.h"
#include "game/players.h"
#include "ui/board_widget.h"
#include "ui/main_window.h"

namespace qv::ui {

namespace {

QListWidget* list_of(QWidget* parent, const char* name, QRect geometry) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

void fill(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const auto& line : lines) list->addItem(QString::fromStdString(line));
}

}  // namespace

void MainWindow::build_player_panels() {
    // "Nouveau joueur": a name and a starting capital.
    QFrame* fresh = add_panel("Nouveau_joueur", QRect(40, 120, 440, 300));
    add_label(fresh, "Label19", QRect(10, 12, 200, 22));
    auto* name = new QLineEdit(fresh);
    name->setObjectName("Joueur");
    name->setGeometry(10, 36, 200, 26);
    name->setMaxLength(19);
    auto* capital = new QGroupBox(fresh);
    capital->setObjectName("RadioGroup3");
    capital->setGeometry(10, 76, 420, 150);
    auto* group = new QButtonGroup(capital);
    int y = 26;
    for (const char* k : {"K1600", "K1700", "K1800"}) {
        auto* r = new QRadioButton(capital);
        r->setObjectName(k);
        r->setGeometry(10, y, 400, 26);
        group->addButton(r);
        y += 36;
    }
    child<QRadioButton>("K1800")->setChecked(true);
    add_button(fresh, "BitBtn7", QRect(90, 250, 110, 32), &MainWindow::BitBtn7Click)->setText("OK");
    add_button(fresh, "BitBtn23", QRect(240, 250, 110, 32), &MainWindow::OClick);

    // "Effacer un joueur": the list of names and the one chosen.
    QFrame* erase = add_panel("Efface_j", QRect(80, 90, 360, 340));
    add_label(erase, "Label18", QRect(10, 10, 200, 22));
    auto* names = list_of(erase, "ListBox15", QRect(10, 36, 200, 240));
    connect(names, &QListWidget::currentRowChanged, this, [this](int) { ListBox7Click(); });
    add_label(erase, "joueur_efface", QRect(220, 36, 130, 26));
    add_button(erase, "BitBtn20", QRect(40, 292, 110, 32), &MainWindow::BitBtn20Click)
        ->setText("OK");
    add_button(erase, "BitBtn21", QRect(200, 292, 110, 32), &MainWindow::BitBtn12Click);
    build_new_game_lists();
}

void MainWindow::build_new_game_lists() {
    // Training and match: the rating list beside the player list, line for line.
    for (auto [names, ratings] : {std::pair{"ListBox8", "ListBox12"}, {"ListBox9", "ListBox14"}}) {
        auto* list = child<QListWidget>(names);
        list->setGeometry(10, 66, 150, 220);
        list_of(list->parentWidget(), ratings, QRect(164, 66, 50, 220));
    }
    add_button(widget("Match"), "RamenerTarnavel", QRect(224, 130, 180, 30),
               &MainWindow::RamenerTarnavelClick);
    // Two people: a list for each colour, the ratings between them.
    QWidget* people = widget("Humain");
    child<QLineEdit>("Joueur2")->setGeometry(10, 34, 150, 26);
    child<QLineEdit>("Joueur3")->setGeometry(218, 34, 150, 26);
    widget("Label17")->move(218, 10);
    auto* white = list_of(people, "ListBox10", QRect(10, 66, 150, 170));
    list_of(people, "ListBox13", QRect(164, 66, 50, 170));
    auto* black = list_of(people, "ListBox11", QRect(218, 66, 150, 170));
    connect(white, &QListWidget::currentTextChanged, child<QLineEdit>("Joueur2"),
            &QLineEdit::setText);
    connect(black, &QListWidget::currentTextChanged, child<QLineEdit>("Joueur3"),
            &QLineEdit::setText);
}

void MainWindow::fill_new_game_lists() {
    PlayersTable table;
    read_players(folder_holding("joueurs.dat"), table);
    for (const char* name : {"ListBox8", "ListBox9", "ListBox10", "ListBox11"})
        fill(child<QListWidget>(name), table.names);
    for (const char* name : {"ListBox12", "ListBox13", "ListBox14"})
        fill(child<QListWidget>(name), table.ratings);
}

void MainWindow::RamenerTarnavelClick() {
    // The computer (line 0) goes back to 2050 in the three lists and in "points.dat".
    for (const char* name : {"ListBox12", "ListBox13", "ListBox14"}) {
        auto* list = child<QListWidget>(name);
        if (list->count() > 0) list->item(0)->setText("2050");
    }
    match_page_.name->clear();
    PlayersTable table;
    if (!read_players(folder_holding("joueurs.dat"), table) || table.ratings.empty()) return;
    table.ratings[0] = "2050";
    if (!write_players(user_dir(), table)) show_error(Msg::CANNOT_OPEN_FILE);
}

void MainWindow::Match21Click() {
    child<QLineEdit>("Joueur")->clear();
    child<QRadioButton>("K1800")->setChecked(true);
    QWidget* panel = widget("Nouveau_joueur");
    panel->show();
    panel->raise();
}

void MainWindow::BitBtn7Click() {
    const std::string name = child<QLineEdit>("Joueur")->text().trimmed().toStdString();
    if (name.empty()) {
        refuse("Refus_joueur", Msg::REFUSED_NAME_MISSING);
        return;
    }
    const int capital = child<QRadioButton>("K1600")->isChecked()   ? 1600
                        : child<QRadioButton>("K1700")->isChecked() ? 1700
                                                                    : 1800;
    // Both files are read again now, so that nothing written meanwhile is lost.
    PlayersTable table;
    if (!read_players(folder_holding("joueurs.dat"), table) || !add_player(table, name, capital) ||
        !write_players(user_dir(), table)) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    widget("Nouveau_joueur")->hide();
    board_->placer_pions();
}

void MainWindow::OClick() {
    widget("Nouveau_joueur")->hide();
    board_->placer_pions();
}

void MainWindow::Effacerunjoueur1Click() {
    PlayersTable table;
    read_players(folder_holding("joueurs.dat"), table);
    fill(child<QListWidget>("ListBox15"), table.names);
    child<QLabel>("joueur_efface")->clear();
    QWidget* panel = widget("Efface_j");
    panel->show();
    panel->raise();
}

void MainWindow::ListBox7Click() {
    const QListWidgetItem* item = child<QListWidget>("ListBox15")->currentItem();
    child<QLabel>("joueur_efface")->setText(item ? item->text() : QString());
}

void MainWindow::BitBtn20Click() {
    const int line = child<QListWidget>("ListBox15")->currentRow();
    if (line <= 0)  // line 0 is the computer, and no selection deletes nothing
        refuse("Refus_efface",
               line == 0 ? Msg::REFUSED_DELETE_COMPUTER : Msg::REFUSED_NO_PLAYER_CHOSEN);
    if (line > 0) {
        PlayersTable table;
        if (!read_players(folder_holding("joueurs.dat"), table) || !delete_player(table, line) ||
            !write_players(user_dir(), table)) {
            show_error(Msg::CANNOT_OPEN_FILE);
        } else {
            widget("Efface_j")->hide();
        }
    }
    board_->placer_pions();
}

void MainWindow::BitBtn12Click() {
    widget("Efface_j")->hide();
    board_->placer_pions();
}

}  // namespace qv::ui
