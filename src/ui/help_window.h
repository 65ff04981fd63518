// The help viewer: the documentation and the rules, HTML pages written at build time into
// the "help" folder of the program's directory, with their diagrams and internal links.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QToolButton;

namespace qv::ui {

enum class HelpBook { Guide, Rules };

// The page of `book` for the interface language (0 French .. 5 Italian): Italian reads
// the English documentation and Spanish the Italian rules.
const char* help_page(HelpBook book, int language);

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent);
    // Shows the page at `path`; false when it cannot be read (the window then stays empty).
    bool open(const QString& path);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* home_;
};

// Opens `path` in the parent's help window, creating the window on first use.
HelpWindow* show_help_window(QWidget* parent, const QString& path);

}  // namespace qv::ui
