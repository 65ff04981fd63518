// "A propos": the program's name, its version and a line on its licence.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "eval/perfect_tables.h"
#include "ui/captions.h"
#include "ui/main_window.h"

namespace qv::ui {

void MainWindow::build_about() {
    QFrame* about = add_panel("Apropos", QRect(100, 140, 320, 250));
    auto* name = add_label(about, "Apropos_nom", QRect(10, 12, 300, 30));
    name->setAlignment(Qt::AlignCenter);
    name->setStyleSheet("font:bold 20px serif");
    name->setText("Quorvel");
    auto* version = add_label(about, "Apropos_version", QRect(10, 48, 300, 20));
    version->setAlignment(Qt::AlignCenter);
    auto* licence = add_label(about, "Apropos_licence", QRect(10, 72, 300, 62));
    licence->setAlignment(Qt::AlignCenter);
    licence->setWordWrap(true);
    auto* tables = add_label(about, "Apropos_tables", QRect(10, 138, 300, 62));
    tables->setAlignment(Qt::AlignCenter);
    tables->setWordWrap(true);
    add_button(about, "BitBtn26", QRect(110, 206, 100, 32), &MainWindow::BitBtn26Click)
        ->setText("OK");
    QAction* entry = action("Apropos1");
    entry->setEnabled(true);
    connect(entry, &QAction::triggered, this, &MainWindow::Apropos1Click);
}

void MainWindow::Apropos1Click() {
    child<QLabel>("Apropos_version")->setText(text_of("Msg_apropos_version").arg(QUORVEL_VERSION));
    child<QLabel>("Apropos_licence")->setText(text_of("Msg_apropos_licence"));
    // How far the perfect-play tables reach, read from their files now (the person may have
    // made the five-piece ones since the start).
    const int pieces = perfect_tables_complete_to();
    QString tables = pieces >= 2 ? text_of("Msg_apropos_tables").arg(pieces) : QString();
    if (pieces < PERFECT_MAX_PIECES)
        tables += (tables.isEmpty() ? "" : "\n") + text_of("Msg_apropos_more_tables");
    child<QLabel>("Apropos_tables")->setText(tables);
    QWidget* panel = widget("Apropos");
    panel->show();
    panel->raise();
}

void MainWindow::BitBtn26Click() {
    widget("Apropos")->hide();
}

}  // namespace qv::ui
