// Construction of the main window: menus, board side, side panel, floating panels.
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include "board/board.h"
#include "board/data_dir.h"
#include "game/game_record.h"
#include "lang/messages.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/form4.h"
#include "ui/session.h"

namespace qv::ui {

namespace {

// The menu bar, in order: (object name, parent name, checkable). Parents come first.
struct MenuRow {
    const char* name;
    const char* parent;  // nullptr: the menu bar
    bool is_menu;
    bool checkable;
};

}  // namespace

MainWindow::MainWindow(Platform& platform, Engine& engine) : platform_(platform), engine_(engine) {
    setObjectName("Form1");
    central_ = new QWidget(this);
    central_->setObjectName("Centre");
    central_->setFixedSize(975, 525);
    setCentralWidget(central_);
    build_menus();
    connect_option_ticks();
    build_board_side();
    build_side_panel();
    build_panels();
    build_player_panels();
    build_about();
    build_intro();
    build_board3d();
    build_analysis();
    build_lessons();
    build_dialog_panels();
    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &MainWindow::ajouter_temps);
    select_language(FRENCH);
    // The icon drawn for the desktop, in each size it ships in; the other windows share it.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const auto file = data_path("icons/quorvel_" + std::to_string(size) + ".png");
        icon.addFile(QString::fromStdString(file.string()), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    set_host(this);
    menuBar()->setVisible(false);  // the start-up panel comes first
    statusBar()->setVisible(false);
}

MainWindow::~MainWindow() {
    set_host(nullptr);
}

QMenu* MainWindow::add_menu(QMenu* parent, const char* name) {
    QMenu* m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
    m->setObjectName(name);
    m->menuAction()->setObjectName(QString(name) + "_entry");
    menus_[name] = m;
    return m;
}

QAction* MainWindow::add_action(QMenu* menu, const char* name, void (MainWindow::*handler)(),
                                bool checkable, const QKeySequence& key) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(name);
    a->setCheckable(checkable);
    if (!key.isEmpty()) a->setShortcut(key);
    if (handler)
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    else
        a->setEnabled(false);  // an item without a handler is shown greyed
    actions_[name] = a;
    return a;
}

void MainWindow::build_menus() {
    QMenu* file = add_menu(nullptr, "Fichier1");
    add_action(file, "Nouveau2", &MainWindow::Nouveau2Click, false, QKeySequence("Ctrl+N"));
    add_action(file, "Humaincontrehumain1", &MainWindow::Ordinateur, true);
    add_action(file, "Ordinateurcontreordinateur1", &MainWindow::Ordinateurcontreordinateur1Click,
               true);
    add_action(file, "Sauver1", &MainWindow::save, false, QKeySequence("Ctrl+S"));
    add_action(file, "Ouvrir1", &MainWindow::ouvre, false, QKeySequence("Ctrl+O"));
    add_action(file, "Imprimer1", &MainWindow::Imprimer1Click, false, QKeySequence("Ctrl+P"));
    add_action(file, "Problmes1", &MainWindow::Problmes1Click, false, QKeySequence("Ctrl+L"));
    add_action(file, "Installeruneposition1", &MainWindow::Installeruneposition1Click);
    add_action(file, "Crerunfichiertexte1", &MainWindow::Crerunfichiertexte1Click, false,
               QKeySequence("Ctrl+T"));
    add_action(file, "Ouvrirunfichiertexte1", &MainWindow::Ouvrirunfichiertexte1Click, false,
               QKeySequence("Ctrl+F"));
    add_action(file, "OuvrirunfichierVOG1", nullptr);
    add_action(file, "Editerlimagefichierbmp1", nullptr);
    file->addSeparator();
    add_action(file, "Quitter1", &MainWindow::quitter);

    QMenu* edit = add_menu(nullptr, "Edition1");
    add_action(edit, "Reprendrecoups1", &MainWindow::reprise, false, QKeySequence(Qt::Key_F1));
    add_action(edit, "Avancercoups1", &MainWindow::avancer, false, QKeySequence(Qt::Key_F2));
    add_action(edit, "Reveniraudbut1", &MainWindow::revenir_debut, false, QKeySequence("Ctrl+F1"));
    add_action(edit, "Allerlafin1", &MainWindow::Aller_fin, false, QKeySequence("Ctrl+F2"));

    QMenu* view = add_menu(nullptr, "Affichage1");
    add_action(view, "Damier2D1", &MainWindow::SpeedButton6Click, true)->setChecked(true);
    for (const char* n : {"Damier3D1", "Damier3D2", "Damier3D3", "Damier3D4", "Damier3D5",
                          "Damier3D6", "Damier3D7", "Damier3D8"})
        add_action(view, n, nullptr, true);
    add_action(view, "Damier3D9", nullptr)->setVisible(false);
    view->addSeparator();
    add_action(view, "Inverserdamier1", &MainWindow::Inverser, false, QKeySequence(Qt::Key_F3));

    QMenu* players = add_menu(nullptr, "Joueurs1");
    add_action(players, "Match21", &MainWindow::Match21Click);
    add_action(players, "Effacerunjoueur1", &MainWindow::Effacerunjoueur1Click);
    add_action(players, "Changerlesnoms1", &MainWindow::Changerlesnoms1Click);
    add_action(players, "Inverserlesjoueurs1", &MainWindow::inverser_joueurs, false,
               QKeySequence(Qt::Key_F4));

    QMenu* level = add_menu(nullptr, "Niveau1");
    const char* levels[] = {"Dbutant1", "Niveau01", "Niveau02", "Niveau03", "Niveau04",
                            "Niveau05", "Niveau06", "Niveau07", "Niveau081"};
    for (int i = 0; i < 9; ++i) {
        QAction* a = add_action(level, levels[i], nullptr, true);
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, i] { set_level(i); });
    }
    QMenu* special = add_menu(level, "XSpecial1");
    const char* controls[] = {"N150coupsen3mn1",  "N250coupsen5mn1", "N350coupsen10mn1",
                              "N450coupsen30mn1", "N550coupsen1h1",  "N650coupsen2h1",
                              "N7longlong1"};
    for (int i = 0; i < 7; ++i) {
        QAction* a = add_action(special, controls[i], nullptr, true);
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, i] { set_level(11 + i); });
    }
    add_action(special, "N8Autre1", &MainWindow::N8Autre1Click, true);

    build_settings(add_menu(nullptr, "Ouvertures1"));

    QMenu* analysis = add_menu(nullptr, "Analyse2");
    add_action(analysis, "Dbuteruneanalyse1", nullptr);
    add_action(analysis, "Arrtercettephase1", nullptr);
    add_action(analysis, "Terminerlanalyse1", nullptr);

    QMenu* learning = add_menu(nullptr, "Apprentissage1");
    add_action(learning, "Lancerunesession1", nullptr);
    add_action(learning, "Arrterlasession1", nullptr);

    QMenu* options = add_menu(nullptr, "Options1");
    add_action(options, "Numroterlescase1", &MainWindow::numerotation_click, true);
    add_action(options, "Pause1", &MainWindow::pause);
    add_action(options, "Horlogeszro1", &MainWindow::Horlogeszro1Click);
    add_action(options, "Pause2", &MainWindow::Pause2Click, true);
    QAction* ponder = add_action(options, "Rflexionsurtempsadverse1", nullptr, true);
    ponder->setEnabled(true);
    QAction* click_stop = add_action(options, "Arretrflexionparclicsouris1", nullptr, true);
    click_stop->setEnabled(true);
    click_stop->setChecked(true);
    add_action(options, "Indicationdesmouvements1", nullptr, true)->setEnabled(true);
    QAction* decompose = add_action(options, "Dcomposerlesprises1", nullptr, true);
    decompose->setEnabled(true);
    decompose->setChecked(true);
    add_action(options, "Jeuenaveugle1", nullptr, true)->setEnabled(true);
    QMenu* sounds = add_menu(options, "Bipchaquecoup1");
    add_action(sounds, "Bipchaquecoup2", nullptr, true)->setEnabled(true);
    QAction* others = add_action(sounds, "Commentaires1", nullptr, true);
    others->setEnabled(true);
    others->setChecked(true);

    QMenu* help = add_menu(nullptr, "Aide1");
    add_action(help, "Guide1", &MainWindow::Guide1Click);
    add_action(help, "Rgles1", &MainWindow::Rgles1Click);
    QMenu* languages = add_menu(help, "Langue1");
    languages->setTitle("Idioma/Langue/Language/Taal");
    const char* names[] = {"Franais1",   "English1", "Nederlands1",
                           "Portugues1", "Espanol1", "Italiano1"};
    const char* shown[] = {"Français", "English", "Nederlands", "Português", "Español", "Italiano"};
    for (int l = 0; l < LANGUAGES; ++l) {
        QAction* a = add_action(languages, names[l], nullptr, true);
        a->setText(QString::fromUtf8(shown[l]));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, l] { select_language(l); });
    }
    add_action(help, "Apropos1", nullptr);
}

QLabel* MainWindow::add_label(QWidget* parent, const char* name, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

QPushButton* MainWindow::add_button(QWidget* parent, const char* name, QRect geometry,
                                    void (MainWindow::*handler)()) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    if (handler) connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

void MainWindow::build_board_side() {
    board_ = new BoardWidget(central_);
    board_->move(0, 0);
    connect(board_, &BoardWidget::pressed, this, &MainWindow::clic);

    // Clock panels: Black's at the top, White's at the bottom (they swap when flipped).
    const QString clock_style =
        "QFrame{background:#202830;border:2px solid #808080;border-radius:4px}"
        "QLabel{color:#f0f0f0;font:bold 22px monospace;border:none}";
    for (auto [side, panel, min, sec, top] :
         {std::tuple{BLACK, "Panel6", "minnoir", "secnoir", 8},
          std::tuple{WHITE, "Panel7", "minblanc", "secblanc", 428}}) {
        auto* f = new QFrame(central_);
        f->setObjectName(panel);
        f->setGeometry(522, top, 126, 64);
        f->setStyleSheet(clock_style);
        clock_minutes_[side] = add_label(f, min, QRect(6, 14, 50, 34));
        clock_minutes_[side]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        add_label(f, "", QRect(58, 14, 10, 34))->setText(":");
        clock_seconds_[side] = add_label(f, sec, QRect(70, 14, 50, 34));
    }
    name_labels_[BLACK] = add_label(central_, "Nom_noir", QRect(524, 76, 124, 18));
    add_label(central_, "Nbpionsnoirs", QRect(524, 96, 124, 18));
    add_label(central_, "Nbpionsblancs", QRect(524, 388, 124, 18));
    name_labels_[WHITE] = add_label(central_, "Nom_blanc", QRect(524, 406, 124, 18));
    auto* mode = add_label(central_, "Panel11", QRect(524, 128, 124, 24));
    mode->setAlignment(Qt::AlignCenter);
    mode->setFrameShape(QFrame::Panel);
    mode->setFrameShadow(QFrame::Raised);
    for (auto [name, y] : {std::pair{"Label29", 170}, {"Label31", 190}, {"Label30", 210}}) {
        auto* l = add_label(central_, name, QRect(524, y, 124, 20));
        l->setStyleSheet("color:#c00000;font-weight:bold");
        l->setAlignment(Qt::AlignCenter);
        l->hide();
    }
    add_button(central_, "Proposernul", QRect(530, 250, 112, 26), &MainWindow::ProposernulClick);
    add_button(central_, "Abandon1", QRect(530, 282, 112, 26), &MainWindow::AbandonClick)->hide();
}

void MainWindow::build_side_panel() {
    side_ = new QTabWidget(central_);
    side_->setObjectName("Onglet");
    side_->setGeometry(654, 4, 316, 516);

    auto* moves = new QWidget;
    moves->setObjectName("Liste");
    list_moves_ = new QListWidget(moves);
    list_moves_->setObjectName("ListBox1");
    list_moves_->setGeometry(6, 40, 298, 440);
    list_moves_->setFont(QFont("monospace", 11));
    connect(list_moves_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { revenir_n(list_moves_->row(item)); });
    struct Nav {
        const char* name;
        const char* text;
        void (MainWindow::*handler)();
    };
    const Nav nav[] = {{"SpeedButton1", "|<", &MainWindow::revenir_debut},
                       {"SpeedButton2", "<", &MainWindow::reprise},
                       {"SpeedButton3", ">", &MainWindow::avancer},
                       {"SpeedButton4", ">|", &MainWindow::Aller_fin}};
    for (int i = 0; i < 4; ++i) {
        auto* b = add_button(moves, nav[i].name, QRect(6 + 50 * i, 6, 46, 28), nav[i].handler);
        b->setText(nav[i].text);
    }
    side_->addTab(moves, QString());

    auto* calc = new QWidget;
    calc->setObjectName("Calcul");
    list_progress_ = new QListWidget(calc);
    list_progress_->setObjectName("ListBox2");
    list_progress_->setGeometry(6, 6, 298, 210);
    list_progress_->setFont(QFont("monospace", 10));
    list_root_ = new QListWidget(calc);
    list_root_->setObjectName("ListBox5");
    list_root_->setGeometry(6, 222, 298, 180);
    list_root_->setFont(QFont("monospace", 10));
    add_button(calc, "Joue", QRect(6, 410, 190, 30), &MainWindow::pause);
    add_button(calc, "Button9", QRect(6, 446, 190, 26), &MainWindow::Best1Click);
    add_button(calc, "Abandon3", QRect(202, 410, 102, 30), &MainWindow::AbandonClick)->hide();
    side_->addTab(calc, QString());

    auto* problem = new QWidget;
    problem->setObjectName("Probleme0");
    auto* group = new QGroupBox(problem);
    group->setObjectName("GroupBox1");
    group->setGeometry(6, 6, 298, 470);
    const struct {
        const char* name;
        int code;
    } pieces[] = {{"SpeedButton10", 1},
                  {"SpeedButton11", 2},
                  {"SpeedButton12", 3},
                  {"SpeedButton13", 4},
                  {"SpeedButton14", 0}};
    for (int i = 0; i < 5; ++i) {
        auto* b = add_button(group, pieces[i].name, QRect(10 + 56 * i, 26, 52, 52), nullptr);
        const int code = pieces[i].code;
        connect(b, &QPushButton::clicked, this, [this, code] { placement_button(code); });
    }
    auto* witness = add_label(group, "Piontemoin", QRect(120, 86, 52, 52));
    witness->setFrameShape(QFrame::Box);
    add_button(group, "vider1", QRect(10, 150, 136, 28), &MainWindow::vider);
    add_button(group, "remplir1", QRect(152, 150, 136, 28), &MainWindow::remplir);
    add_button(group, "Bas_Haut", QRect(10, 190, 278, 28), &MainWindow::Change_dir_click);
    add_button(group, "Couleurordi", QRect(10, 226, 278, 28), &MainWindow::Change_couleur);
    add_button(group, "Couleurjoue", QRect(10, 262, 278, 28), &MainWindow::Couleur_joue);
    for (auto [name, y] : {std::pair{"Blancs", 310}, {"Noirs", 344}}) {
        auto* e = new QLineEdit(group);
        e->setObjectName(name);
        e->setGeometry(10, y, 278, 28);
        e->setReadOnly(true);
    }
    group->hide();
    side_->addTab(problem, QString());
    connect(side_, &QTabWidget::currentChanged, this, [this](int index) {
        const bool on_problem = index == 2;
        if (on_problem && !game.setup_mode && setup_locked()) {
            show_page(game.computer_to_move ? 1 : 0);
            return;
        }
        if (on_problem != bool(game.setup_mode)) Entrerpositionclick();
    });
}

QFrame* MainWindow::add_panel(const char* name, QRect geometry) {
    auto* f = new QFrame(central_);
    f->setObjectName(name);
    f->setGeometry(geometry);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    f->hide();
    return f;
}

void MainWindow::build_panels() {
    // "Zut !": the computer's remark goes in the status line under the board, which it
    // would otherwise cover.
    auto* zut = new QLabel(statusBar());
    zut->setObjectName("Zut");
    zut->setStyleSheet("font-weight:bold");
    zut->setMinimumWidth(620);
    statusBar()->addWidget(zut, 1);
    statusBar()->setSizeGripEnabled(false);
    zut->hide();
    // "Nul refusé": a notice over the board.
    auto* refused = add_label(central_, "Nulrefus", QRect(180, 240, 160, 30));
    refused->setAutoFillBackground(true);
    refused->setFrameShape(QFrame::Panel);
    refused->setAlignment(Qt::AlignCenter);
    refused->hide();

    // The computer's draw offer.
    QFrame* offer = add_panel("Panel8", QRect(110, 200, 300, 100));
    add_label(offer, "Label13", QRect(10, 10, 280, 24))->setAlignment(Qt::AlignCenter);
    add_button(offer, "BitBtn14", QRect(30, 56, 110, 30), &MainWindow::BitBtn14Click)
        ->setText("OK");
    add_button(offer, "Annul_nul", QRect(160, 56, 110, 30), &MainWindow::Annul_nulClick);

    // End of the game.
    QFrame* end = add_panel("fin_de_parties", QRect(90, 170, 340, 160));
    auto* winner = add_label(end, "qui_gagne", QRect(10, 12, 320, 30));
    winner->setAlignment(Qt::AlignCenter);
    winner->setStyleSheet("font:bold 16px");
    add_label(end, "Resultat_blanc", QRect(10, 50, 320, 20));
    add_label(end, "Resultat_noir", QRect(10, 72, 320, 20));
    add_button(end, "BitBtn13", QRect(115, 112, 110, 32), &MainWindow::BitBtn13Click)
        ->setText("OK");

    // Learning question at the end of an analysis.
    QFrame* learn = add_panel("Learn", QRect(150, 220, 220, 80));
    add_label(learn, "Label_learn", QRect(10, 8, 200, 20));
    add_button(learn, "Learn_yes", QRect(20, 40, 80, 28), &MainWindow::Apprendreposition1Click);
    add_button(learn, "Learn_no", QRect(120, 40, 80, 28), nullptr);

    // "Autre": a time control of N minutes for 30 moves.
    QFrame* other = add_panel("Panel9", QRect(120, 210, 280, 90));
    add_label(other, "N50coupsen", QRect(10, 12, 110, 24));
    auto* minutes = new QLineEdit("3", other);
    minutes->setObjectName("Nbminutes");
    minutes->setValidator(new QIntValidator(0, 99999, minutes));  // digits only
    minutes->setGeometry(120, 10, 60, 28);
    add_label(other, "Label_minutes", QRect(186, 12, 90, 24));
    add_button(other, "BitBtn24", QRect(40, 50, 90, 30), &MainWindow::BitBtn24Click)->setText("OK");
    add_button(other, "BitBtn25", QRect(150, 50, 90, 30), &MainWindow::BitBtn25Click);

    // Choice of a game in a text file of several.
    QFrame* choice = add_panel("Panel2", QRect(60, 80, 400, 340));
    auto* games = new QListWidget(choice);
    games->setObjectName("ListBox16");
    games->setGeometry(10, 10, 380, 270);
    games->setFont(QFont("monospace", 10));
    add_button(choice, "ListeOK", QRect(80, 292, 100, 32), nullptr)->setText("OK");
    add_button(choice, "ListeCancel", QRect(220, 292, 100, 32), nullptr);

    // Names of the game in hand.
    QFrame* names = add_panel("Joueurs", QRect(110, 190, 300, 140));
    add_label(names, "Label_blancs", QRect(10, 14, 70, 24));
    add_label(names, "Label_noirs", QRect(10, 50, 70, 24));
    for (auto [name, y] : {std::pair{"Edit2", 12}, {"Edit3", 48}}) {
        auto* e = new QLineEdit(names);
        e->setObjectName(name);
        e->setGeometry(84, y, 200, 28);
        e->setMaxLength(19);
    }
    add_button(names, "OKjoueur", QRect(40, 94, 100, 30), &MainWindow::OKjoueurClick)
        ->setText("OK");
    add_button(names, "Cancel_joueurs", QRect(160, 94, 100, 30), &MainWindow::Cancel_joueursClick);

    // New game: three pages.
    QFrame* fresh = add_panel("Nouvelle_partie", QRect(40, 60, 440, 380));
    auto* tabs = new QTabWidget(fresh);
    tabs->setObjectName("Pages_nouveau");
    tabs->setGeometry(8, 8, 424, 364);
    training_page_ =
        build_player_page(tabs,
                          {"Entrainement", "Label15", "Joueur0", "ListBox8", "Choixcouleur1",
                           "Tarnavel_blanc", "Tarnavel_noir", "BitBtn15", "BitBtn18"},
                          &MainWindow::BitBtn15Click);
    training_page_.name->setText("Mister X");
    match_page_ = build_player_page(tabs,
                                    {"Match", "Label15b", "Joueur1", "ListBox9", "RadioGroup2",
                                     "Tarnavel_blanc1", "Tarnavel_noir1", "BitBtn16", "BitBtn19"},
                                    &MainWindow::BitBtn16Click);

    auto* people = new QWidget;
    people->setObjectName("Humain");
    add_label(people, "Label16", QRect(10, 10, 190, 20));
    add_label(people, "Label17", QRect(214, 10, 190, 20));
    auto* name2 = new QLineEdit(people);
    name2->setObjectName("Joueur2");
    name2->setGeometry(10, 34, 190, 26);
    auto* name3 = new QLineEdit(people);
    name3->setObjectName("Joueur3");
    name3->setGeometry(214, 34, 190, 26);
    add_button(people, "BitBtn17", QRect(224, 250, 84, 32), &MainWindow::BitBtn17Click)
        ->setText("OK");
    add_button(people, "Annule_nouveau", QRect(316, 250, 84, 32), &MainWindow::Annule_nouveauClick);
    tabs->addTab(people, QString());
}

MainWindow::PlayerPage MainWindow::build_player_page(QTabWidget* tabs, const PlayerPageNames& n,
                                                     void (MainWindow::*ok)()) {
    auto* page = new QWidget;
    page->setObjectName(n.page);
    add_label(page, n.label, QRect(10, 10, 200, 20));
    PlayerPage built;
    built.name = new QLineEdit(page);
    built.name->setObjectName(n.name);
    built.name->setGeometry(10, 34, 200, 26);
    built.players = new QListWidget(page);
    built.players->setObjectName(n.list);
    built.players->setGeometry(10, 66, 200, 220);
    connect(built.players, &QListWidget::currentTextChanged, built.name, &QLineEdit::setText);
    auto* colour = new QGroupBox(page);
    colour->setObjectName(n.colour);
    colour->setGeometry(224, 30, 180, 90);
    built.computer_white = new QRadioButton(colour);
    built.computer_white->setObjectName(n.computer_white);
    built.computer_white->setGeometry(12, 26, 150, 24);
    auto* black = new QRadioButton(colour);
    black->setObjectName(n.computer_black);
    black->setGeometry(12, 54, 150, 24);
    black->setChecked(true);
    add_button(page, n.ok, QRect(224, 250, 84, 32), ok)->setText("OK");
    add_button(page, n.cancel, QRect(316, 250, 84, 32), &MainWindow::Annule_nouveauClick);
    tabs->addTab(page, QString());
    return built;
}

void MainWindow::build_intro() {
    intro_ = new QFrame(central_);
    intro_->setObjectName("Intro");
    intro_->setGeometry(0, 0, 975, 525);
    intro_->setAutoFillBackground(true);
    intro_->setStyleSheet("#Intro{background:#1d3b2a} QLabel{color:#f4ecd8}");
    auto* title = add_label(intro_, "Titre", QRect(0, 24, 975, 44));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet("font:bold 30px serif");
    title->setText("Quorvel");
    auto* version = add_label(intro_, "Version", QRect(0, 70, 975, 22));
    version->setAlignment(Qt::AlignCenter);

    const char* names[] = {"Button5", "Button6", "Button7", "Button2", "Button8", "Button1A"};
    const char* shown[] = {"Français", "English", "Nederlands", "Português", "Español", "Italiano"};
    for (int l = 0; l < LANGUAGES; ++l) {
        auto* b = add_button(intro_, names[l], QRect(150 + 115 * l, 110, 105, 30), nullptr);
        b->setText(QString::fromUtf8(shown[l]));
        connect(b, &QPushButton::clicked, this, [this, l] {
            language_picked_ = true;
            select_language(l);
        });
    }

    // Board picker: the 2D board, and the perspective styles when their pictures exist.
    // The labels are worded by select_language.
    struct Pick {
        const char* button;
        const char* label;
    };
    const Pick picks[] = {{"SpeedButton6", "Label2D"},   {"SpeedButton7", "Label3D1"},
                          {"SpeedButton8", "Label3D2"},  {"SpeedButton9", "Label3D3"},
                          {"SpeedButton15", "Label3D4"}, {"SpeedButton16", "Label3D5"},
                          {"SpeedButton17", "Label3D6"}, {"SpeedButton18", "Label3D7"},
                          {"SpeedButton19", "Label3D8"}};
    const char* minis[] = {"mini2di.bmp",     "miniclassici.bmp", "mininuiti.bmp",
                           "minimarbrei.bmp", "minicopai.bmp",    "miniverrei.bmp",
                           "minifeui.bmp",    "miniluxei.bmp",    "minigaletsi.bmp"};
    for (int i = 0; i < 9; ++i) {
        const int col = i % 5, row = i / 5;
        const QRect r(60 + 175 * col, 170 + 170 * row, 150, 120);
        auto* b = add_button(intro_, picks[i].button, r,
                             i == 0 ? &MainWindow::SpeedButton6Click : nullptr);
        const QPixmap mini(QString::fromStdString(data_path(minis[i]).string()));
        if (!mini.isNull()) {
            b->setIcon(mini);
            b->setIconSize(QSize(140, 110));
        } else {
            b->setText(i == 0 ? "2D" : "3D");
        }
        b->setEnabled(i == 0);
        auto* l = add_label(intro_, picks[i].label, QRect(r.left(), r.bottom() + 4, 150, 20));
        l->setAlignment(Qt::AlignCenter);
    }
    // Advice on screen settings, two lines along the foot of the panel.
    for (auto [name, y] : {std::pair{"Conseil1", 488}, {"Conseil2", 505}}) {
        auto* advice = add_label(intro_, name, QRect(10, y, 955, 17));
        advice->setAlignment(Qt::AlignCenter);
        advice->setStyleSheet("font-size:10px");
    }
    intro_->raise();
}

void MainWindow::missing(const char* kind, const char* name) {
    qFatal("no %s named \"%s\" in the main window", kind, name);
}

QAction* MainWindow::action(const char* name) const {
    QAction* a = actions_.value(name, nullptr);
    if (!a) missing("action", name);
    return a;
}

QAction* MainWindow::find_action(const char* name) const {
    return actions_.value(name, nullptr);
}

QMenu* MainWindow::menu(const char* name) const {
    QMenu* m = menus_.value(name, nullptr);
    if (!m) missing("menu", name);
    return m;
}

QWidget* MainWindow::widget(const char* name) const {
    return child<QWidget>(name);
}

QPushButton* MainWindow::button_of(const char* name) const {
    return child<QPushButton>(name);
}

bool MainWindow::checked(const char* name) const {
    return action(name)->isChecked();
}

void MainWindow::set_checked(const char* name, bool on) {
    action(name)->setChecked(on);
}

void MainWindow::set_enabled(const char* name, bool on) {
    if (QAction* a = actions_.value(name, nullptr)) {
        a->setEnabled(on);
    } else if (QMenu* m = menus_.value(name, nullptr)) {
        m->setEnabled(on);
    } else {
        widget(name)->setEnabled(on);
    }
}

QString MainWindow::text_of(const char* component) const {
    return QString::fromUtf8(caption_of(language_, component));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // exiter: closing the window ends a free game; a rated match must be finished first.
    if (game.game_state != FREE_GAME && game.game_state != RATED_MATCH_REPORTED) {
        event->ignore();
        return;
    }
    engine_.request_stop(true);
    session.quit_requested = 1;
    event->accept();
}

}  // namespace qv::ui
