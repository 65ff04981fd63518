// Documentation and Rules from the Help menu: the page of the language in force, shown
// in the help window with its pictures, links and history.
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QToolButton>

#include "board/data_dir.h"
#include "ui/help_window.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

class HelpWindowTest : public WindowTest {
  protected:
    // Opens the page in a help window of the main window, as the desktop platform does.
    HelpWindow* show(const QString& path) {
        HelpWindow* w = show_help_window(window.get(), path);
        QApplication::processEvents();
        return w;
    }
    // Every picture of the page shown loads through the browser.
    void expect_pictures(HelpWindow* w) {
        int pictures = 0;
        const QTextDocument* doc = w->browser()->document();
        for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat()) continue;
                const QVariant img = w->browser()->loadResource(QTextDocument::ImageResource,
                                                                QUrl(f.toImageFormat().name()));
                EXPECT_FALSE(img.isNull()) << qPrintable(f.toImageFormat().name());
                ++pictures;
            }
        EXPECT_GT(pictures, 0);
    }
};

// French, Spanish and Italian through the menus: each reads its own documentation and rules.
TEST_F(HelpWindowTest, MenusOpenThePagesOfTheLanguageInForce) {
    start_2d();
    struct Case {
        int language;
        const char* guide;
        const char* rules;
    };
    for (Case c : {Case{0, "Quorvel.html", "Rquorvel_f.html"},
                   Case{4, "Quorvel_es.html", "Rquorvel_es.html"},
                   Case{5, "Quorvel_i.html", "Rquorvel_i.html"}}) {
        window->select_language(c.language);
        platform.help_pages.clear();
        trigger("Guide1");
        trigger("Rgles1");
        ASSERT_EQ(platform.help_pages.size(), 2);
        EXPECT_TRUE(platform.help_pages[0].endsWith(QString("/help/") + c.guide));
        EXPECT_TRUE(platform.help_pages[1].endsWith(QString("/help/") + c.rules));
    }
    EXPECT_TRUE(platform.errors.isEmpty());
}

TEST_F(HelpWindowTest, PagesOfTwoLanguagesShowWithTheirPictures) {
    const struct {
        int language;
        const char* title;
    } cases[] = {{0, "Documentation de Quorvel"}, {5, "Documentazione di Quorvel"}};
    for (const auto& c : cases) {
        const auto path = data_path(std::string("help/") + help_page(HelpBook::Guide, c.language));
        HelpWindow* w = show(QString::fromStdString(path.string()));
        EXPECT_EQ(w->windowTitle(), c.title);
        // Opened from the menu, a page starts a history of its own.
        EXPECT_FALSE(w->findChild<QToolButton*>("HelpBack")->isEnabled());
        expect_pictures(w);
        QDir().mkpath(QUORVEL_SCREENSHOT_DIR);
        EXPECT_TRUE(w->grab().save(QString(QUORVEL_SCREENSHOT_DIR) +
                                   QString("/help_guide_%1.png").arg(c.language)));
    }
    // One window, reused.
    EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);
}

TEST_F(HelpWindowTest, LinksToTheRulesAndBackAgain) {
    const auto path = data_path("help/Quorvel.html");
    HelpWindow* w = show(QString::fromStdString(path.string()));
    auto* back = w->findChild<QToolButton*>("HelpBack");
    EXPECT_FALSE(back->isEnabled());
    w->browser()->setSource(QUrl("Rquorvel_f.html#rule-first-king"));
    QApplication::processEvents();
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Règles de la dame italienne"));
    EXPECT_GT(w->browser()->verticalScrollBar()->value(), 0);
    expect_pictures(w);
    QDir().mkpath(QUORVEL_SCREENSHOT_DIR);
    EXPECT_TRUE(w->grab().save(QString(QUORVEL_SCREENSHOT_DIR) + "/help_rules_fr.png"));
    ASSERT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(w->windowTitle(), "Documentation de Quorvel");
    // Forward to the rules again, then home: the page opened from the menu.
    QTest::mouseClick(w->findChild<QToolButton*>("HelpForward"), Qt::LeftButton);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Règles de la dame italienne"));
    QTest::mouseClick(w->findChild<QToolButton*>("HelpHome"), Qt::LeftButton);
    EXPECT_EQ(w->windowTitle(), "Documentation de Quorvel");
    w->browser()->scrollToAnchor("play");
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(QString(QUORVEL_SCREENSHOT_DIR) + "/help_guide_fr.png"));
}

TEST_F(HelpWindowTest, MissingPageIsAFileError) {
    start_2d();
    const std::filesystem::path kept = program_dir();
    set_program_dir(kept / "no_help_here");  // a folder that is never made
    trigger("Guide1");
    set_program_dir(kept);
    EXPECT_TRUE(platform.help_pages.isEmpty());
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(platform.errors[0], QString::fromUtf8("Impossible d'ouvrir ce fichier"));
}

}  // namespace
}  // namespace qv::ui::test
