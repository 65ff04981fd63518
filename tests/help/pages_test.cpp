// The shipped help pages: one documentation and one rules page per language, as the Help
// menu names them, with every link and picture resolving, rules that state every capture
// precedence rule with its diagram, and commands named as the window names them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "help_html.h"
#include "lang/messages.h"
#include "ui/captions.h"
#include "ui/help_window.h"

namespace qv::test {
namespace {

using ui::help_page;
using ui::HelpBook;

const QString HELP_DIR = QString(QUORVEL_DATA_DIR) + "/help/";

struct Language {
    const char* name;
    int index;
    const char* lang;  // the language both pages are written in
};
const Language LANGUAGES[] = {{"French", 0, "fr"},     {"English", 1, "en"}, {"Dutch", 2, "nl"},
                              {"Portuguese", 3, "pt"}, {"Spanish", 4, "es"}, {"Italian", 5, "it"}};

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
    for (HelpBook book : {HelpBook::Guide, HelpBook::Rules}) {
        HelpHtml page;
        const QString name = help_page(book, GetParam().index);
        ASSERT_TRUE(read_help_html(HELP_DIR + name, page)) << qPrintable(name);
        EXPECT_TRUE(page.raw.contains(QString("<html lang=\"%1\"").arg(GetParam().lang)))
            << qPrintable(name);
        EXPECT_FALSE(page.title.isEmpty()) << qPrintable(name);
    }
}

// A command in the documentation's source is written in bold, **Name**, and a menu path
// as **Menu > Item**: each name must be one the window shows in that language (a caption,
// a message, or one of the names it shows in every language).
TEST_P(HelpLanguage, DocumentationNamesEveryCommandAsTheWindowDoes) {
    const int l = GetParam().index;
    QSet<QString> shown = {"Idioma/Langue/Language/Taal", "Rimini", "Stromboli", "San Remo"};
    for (const ui::Caption& c : ui::caption_table(l)) shown << QString::fromUtf8(c.text).trimmed();
    for (int m = 0; m < MESSAGE_COUNT; ++m) shown << QString::fromUtf8(message(Msg(m), l));
    QFile source(QString(QUORVEL_SOURCE_DIR) + "/data/help/" +
                 QString(help_page(HelpBook::Guide, l)).replace(".html", ".txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << qPrintable(source.fileName());
    static const QRegularExpression bold(R"(\*\*(.+?)\*\*)");
    int names = 0;
    for (const auto& m : bold.globalMatch(QString::fromUtf8(source.readAll())))
        for (const QString& name : m.captured(1).split(" > ")) {
            EXPECT_TRUE(shown.contains(name)) << qPrintable(name) << " is not in the window";
            ++names;
        }
    EXPECT_GT(names, 120);
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
    ASSERT_EQ(names.size(), 12);
    QMap<QString, HelpHtml> pages;
    for (const QString& n : names) ASSERT_TRUE(read_help_html(HELP_DIR + n, pages[n]));
    int links = 0;
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
        for (const QString& src : it->images)
            EXPECT_FALSE(QImage(HELP_DIR + src).isNull()) << qPrintable(it.key() + ": " + src);
        EXPECT_GT(it->images.size(), 0) << qPrintable(it.key());
    }
    EXPECT_GT(links, 100);
}

}  // namespace
}  // namespace qv::test
