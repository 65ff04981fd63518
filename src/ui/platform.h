// Everything the window asks of the desktop: file and message dialogs, the printer,
// sounds, the document opener and the help viewer. Tests install a fake.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace qv::ui {

class Platform {
  public:
    virtual ~Platform() = default;
    // A file name chosen to open or save, empty when cancelled. `filter` is in Qt form.
    virtual QString open_file_name(QWidget* parent, const QString& dir, const QString& filter) = 0;
    virtual QString save_file_name(QWidget* parent, const QString& dir, const QString& filter,
                                   const QString& suffix) = 0;
    // Message box titled error_title with the error icon.
    virtual void error_box(QWidget* parent, const QString& text) = 0;
    // Message box with the information icon, titled as the parent window.
    virtual void info_box(QWidget* parent, const QString& text) = 0;
    // Lets the person choose a printer (or a PDF file); false when cancelled.
    virtual bool choose_printer(QWidget* parent, QPrinter& printer) = 0;
    // Plays a wave file and returns when it has finished; silent without a sound device.
    virtual void play_sound(const QString& path) = 0;
    // Opens a document with the desktop's default program, without waiting; false when
    // the desktop could not start one.
    virtual bool open_document(const QString& path) = 0;
    // Shows an HTML help page.
    virtual void show_help(QWidget* parent, const QString& path) = 0;

    // The error box's title in the interface language, set by the window.
    QString error_title;
};

// The desktop implementation.
class DesktopPlatform : public Platform {
  public:
    QString open_file_name(QWidget* parent, const QString& dir, const QString& filter) override;
    QString save_file_name(QWidget* parent, const QString& dir, const QString& filter,
                           const QString& suffix) override;
    void error_box(QWidget* parent, const QString& text) override;
    void info_box(QWidget* parent, const QString& text) override;
    bool choose_printer(QWidget* parent, QPrinter& printer) override;
    void play_sound(const QString& path) override;
    bool open_document(const QString& path) override;
    void show_help(QWidget* parent, const QString& path) override;
};

// Where text, analysis and picture exports start: the person's documents folder, or the
// program's own folder when it runs portable.
QString documents_folder();

// Plays a 16-bit PCM wave file through ALSA; returns false (silently) when there is no
// sound device or the file is not such a wave file.
bool play_wave_file(const QString& path);

}  // namespace qv::ui
