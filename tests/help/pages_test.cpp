// The shipped help pages: one documentation and one rules page per language, as the Help
// menu names them, with every link and picture resolving, and rules that state every
// capture precedence rule with its diagram.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "help_html.h"
#include "ui/help_window.h"

namespace qv::test {
namespace {

using ui::help_page;
using ui::HelpBook;

const QString HELP_DIR = QString(QUORVEL_DATA_DIR) + "/help/";

struct Language {
    const char* name;
    int index;
    const char* guide_lang;  // the language the documentation is written in
    const char* rules_lang;
};
// Italian reads the English documentation, Spanish the Italian rules.
const Language LANGUAGES[] = {{"French", 0, "fr", "fr"},  {"English", 1, "en", "en"},
                              {"Dutch", 2, "nl", "nl"},   {"Portuguese", 3, "pt", "pt"},
                              {"Spanish", 4, "es", "it"}, {"Italian", 5, "en", "it"}};

QString page_lang(const QString& raw) {
    static const QRegularExpression lang(R"re(<html lang="([a-z]+)")re");
    return lang.match(raw).captured(1);
}

// The text of the section that starts at the heading with `id`, up to the next heading of
// the same level or above.
QString section(const QString& raw, const QString& id, int level) {
    const int start = raw.indexOf("id=\"" + id + "\"");
    if (start < 0) return {};
    const int end = raw.indexOf(QRegularExpression(QString("<h[1-%1][ >]").arg(level)), start);
    return raw.mid(start, end < 0 ? -1 : end - start);
}

class HelpLanguage : public ::testing::TestWithParam<Language> {};

TEST_P(HelpLanguage, BothPagesExistInTheLanguageTheyShouldBeIn) {
    const Language& l = GetParam();
    for (auto [book, lang] :
         {std::pair{HelpBook::Guide, l.guide_lang}, std::pair{HelpBook::Rules, l.rules_lang}}) {
        HelpHtml page;
        const QString name = help_page(book, l.index);
        ASSERT_TRUE(read_help_html(HELP_DIR + name, page)) << qPrintable(name);
        EXPECT_EQ(page_lang(page.raw), lang) << qPrintable(name);
        EXPECT_FALSE(page.title.isEmpty()) << qPrintable(name);
    }
}

TEST_P(HelpLanguage, DocumentationCoversEveryTopic) {
    HelpHtml page;
    ASSERT_TRUE(read_help_html(HELP_DIR + help_page(HelpBook::Guide, GetParam().index), page));
    for (const char* id : {"start", "play", "end", "window", "setup", "menus", "levels", "players",
                           "files", "analysis", "lessons", "boards"})
        EXPECT_TRUE(page.anchors.contains(id)) << id;
    // One heading per menu of the menu bar, File to Help.
    EXPECT_EQ(section(page.raw, "menus", 2).count("<h3>"), 10);
}

TEST_P(HelpLanguage, RulesStateEveryCapturePrecedenceWithItsDiagram) {
    HelpHtml page;
    ASSERT_TRUE(read_help_html(HELP_DIR + help_page(HelpBook::Rules, GetParam().index), page));
    const std::pair<const char*, const char*> rules[] = {
        {"rule-most-pieces", "rule_most_pieces"},
        {"rule-king", "rule_king_captures"},
        {"rule-most-kings", "rule_most_kings"},
        {"rule-first-king", "rule_first_king"},
        {"rule-king-by-king", "rule_king_by_king"}};
    int last = -1;
    for (auto [id, diagram] : rules) {
        const QString text = section(page.raw, id, 3);
        ASSERT_FALSE(text.isEmpty()) << id;
        EXPECT_TRUE(text.contains(QString("<img src=\"img/%1.png\"").arg(diagram))) << id;
        // A stated rule: a paragraph of its own besides the heading and the caption.
        EXPECT_GE(text.count("<p>"), 1) << id;
        // In the order in which they apply.
        const int at = page.raw.indexOf(QString("id=\"%1\"").arg(id));
        EXPECT_GT(at, last) << id;
        last = at;
    }
    for (const char* id : {"board", "moves", "captures", "promotion", "end", "notation"})
        EXPECT_TRUE(page.anchors.contains(id)) << id;
}

INSTANTIATE_TEST_SUITE_P(All, HelpLanguage, ::testing::ValuesIn(LANGUAGES),
                         [](const auto& info) { return std::string(info.param.name); });

// Every page in the help folder: links lead to a page and an anchor that exist, pictures load.
TEST(HelpPages, EveryLinkAndPictureResolves) {
    const QStringList names = QDir(HELP_DIR).entryList({"*.html"}, QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 10);
    QMap<QString, HelpHtml> pages;
    for (const QString& n : names) ASSERT_TRUE(read_help_html(HELP_DIR + n, pages[n]));
    int links = 0, pictures = 0;
    for (auto it = pages.cbegin(); it != pages.cend(); ++it) {
        for (const QString& href : it->links) {
            const QString file = href.section('#', 0, 0), anchor = href.section('#', 1);
            const QString target = file.isEmpty() ? it.key() : file;
            ASSERT_TRUE(pages.contains(target)) << qPrintable(it.key() + " -> " + href);
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(pages[target].anchors.contains(anchor))
                    << qPrintable(it.key() + " -> " + href);
            }
            ++links;
        }
        for (const QString& src : it->images) {
            EXPECT_FALSE(QImage(HELP_DIR + src).isNull()) << qPrintable(it.key() + ": " + src);
            ++pictures;
        }
        EXPECT_GT(it->images.size(), 0) << qPrintable(it.key());
    }
    EXPECT_GT(links, 100);
    EXPECT_GT(pictures, 60);
}

}  // namespace
}  // namespace qv::test
