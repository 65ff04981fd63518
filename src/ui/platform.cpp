#include "ui/platform.h"

#include "ui/help_window.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

#include "board/data_dir.h"

namespace qv::ui {

QString documents_folder() {
    if (user_dir() == program_dir()) return QString::fromStdString(user_dir().string());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString DesktopPlatform::open_file_name(QWidget* parent, const QString& dir,
                                        const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), dir, filter);
}

QString DesktopPlatform::save_file_name(QWidget* parent, const QString& dir, const QString& filter,
                                        const QString& suffix) {
    QFileDialog dialog(parent, QString(), dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void DesktopPlatform::error_box(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, error_title, text, QMessageBox::Ok, parent);
    box.exec();
}

void DesktopPlatform::info_box(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, parent ? parent->window()->windowTitle() : QString(),
                    text, QMessageBox::Ok, parent);
    box.exec();
}

bool DesktopPlatform::choose_printer(QWidget* parent, QPrinter& printer) {
    // Qt's dialog on this platform offers "Print to File (PDF)" beside the printers.
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void DesktopPlatform::play_sound(const QString& path) {
    play_wave_file(path);
}

bool DesktopPlatform::open_document(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopPlatform::show_help(QWidget* parent, const QString& path) {
    show_help_window(parent, path);
}

}  // namespace qv::ui
