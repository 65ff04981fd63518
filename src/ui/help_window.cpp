#include "ui/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace qv::ui {

const char* help_page(HelpBook book, int language) {
    static const char* const guide[] = {"Quorvel.html",   "Quorvel_e.html",  "Quorvel_nl.html",
                                        "Quorvel_p.html", "Quorvel_es.html", "Quorvel_i.html"};
    static const char* const rules[] = {"Rquorvel_f.html", "Rquorvel_e.html",  "Rquorvel_nl.html",
                                        "Rquorvel_p.html", "Rquorvel_es.html", "Rquorvel_i.html"};
    if (language < 0 || language > 5) language = 1;
    return book == HelpBook::Guide ? guide[language] : rules[language];
}

namespace {

QToolButton* tool_button(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    return b;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpWindow");
    // Icons only: the buttons need no caption in any language.
    back_ = tool_button(this, "HelpBack", QStyle::SP_ArrowBack);
    forward_ = tool_button(this, "HelpForward", QStyle::SP_ArrowForward);
    home_ = tool_button(this, "HelpHome", QStyle::SP_DirHomeIcon);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(browser_->documentTitle()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(720, 640);
}

bool HelpWindow::open(const QString& path) {
    if (!QFileInfo(path).isReadable()) {
        browser_->clear();
        setWindowTitle(QFileInfo(path).fileName());
        return false;
    }
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    // A fresh history per page opened from the menu, whose "home" is that page.
    browser_->clearHistory();
    setWindowTitle(browser_->documentTitle());
    return true;
}

HelpWindow* show_help_window(QWidget* parent, const QString& path) {
    auto* window =
        parent ? parent->findChild<HelpWindow*>("HelpWindow", Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) window = new HelpWindow(parent);
    window->open(path);
    window->show();
    window->raise();
    return window;
}

}  // namespace qv::ui
