// The floating dialog panels (new game, new player, delete a player, names, "Autre"
// minutes, "A propos"): one at a time, Escape cancels the one open, and a refused input
// is answered in the panel's own line.
#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>

#include "ui/main_window.h"

namespace qv::ui {

namespace {

struct DialogPanel {
    const char* panel;
    const char* opener;   // the menu item that opens it
    const char* refusal;  // its line for a refused input, nullptr when nothing is refused
    QRect refusal_place;
    void (MainWindow::*cancel)();
};

const DialogPanel DIALOG_PANELS[] = {
    {"Nouvelle_partie",
     "Nouveau2",
     "Refus_nouveau",
     {16, 326, 408, 40},
     &MainWindow::Annule_nouveauClick},
    {"Nouveau_joueur", "Match21", "Refus_joueur", {220, 30, 210, 40}, &MainWindow::OClick},
    {"Efface_j",
     "Effacerunjoueur1",
     "Refus_efface",
     {220, 70, 130, 120},
     &MainWindow::BitBtn12Click},
    {"Joueurs", "Changerlesnoms1", nullptr, {}, &MainWindow::Cancel_joueursClick},
    {"Panel9", "N8Autre1", "Refus_minutes", {10, 86, 260, 36}, &MainWindow::BitBtn25Click},
    {"Apropos", "Apropos1", nullptr, {}, &MainWindow::BitBtn26Click},
};

}  // namespace

void MainWindow::build_dialog_panels() {
    for (const DialogPanel& d : DIALOG_PANELS) {
        QWidget* panel = widget(d.panel);
        panel->installEventFilter(this);
        if (!d.refusal) continue;
        QLabel* line = add_label(panel, d.refusal, d.refusal_place);
        line->setWordWrap(true);
        line->setStyleSheet("color:#b00000;font-weight:bold");
        line->raise();
    }
    // Room for the refusal under the "Autre" panel's buttons.
    QWidget* minutes = widget("Panel9");
    minutes->resize(minutes->width(), 128);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // By name and without stopping on a missing one: panels hide while the window goes.
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        for (const DialogPanel& d : DIALOG_PANELS) {
            if (watched->objectName() != QLatin1String(d.panel)) continue;
            // Each opening starts without the last refusal.
            if (event->type() == QEvent::Show && d.refusal)
                if (auto* line = findChild<QLabel*>(d.refusal)) line->clear();
            refresh_dialog_locks();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::dialog_open() const {
    for (const DialogPanel& d : DIALOG_PANELS) {
        const QWidget* panel = findChild<QWidget*>(d.panel);
        if (panel && !panel->isHidden()) return true;
    }
    return false;
}

void MainWindow::refresh_dialog_locks() {
    const bool open = dialog_open();
    for (const DialogPanel& d : DIALOG_PANELS)
        if (QAction* opener = find_action(d.opener)) opener->setEnabled(!open);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        for (const DialogPanel& d : DIALOG_PANELS) {
            if (widget(d.panel)->isHidden()) continue;
            (this->*d.cancel)();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::refuse(const char* refusal_line, Msg why) {
    child<QLabel>(refusal_line)->setText(msg(why));
}

}  // namespace qv::ui
