// The help writer: it refuses a diagram that shows a move the rules do not allow and a
// page it cannot resolve, and writes the same bytes every time.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "files/temp_dir.h"

namespace qv::test {
namespace {

struct ToolResult {
    int status = -1;
    QString errors;
};

class HelpTool : public TempDirTest {
  protected:
    ToolResult run(const std::string& out) {
        QProcess p;
        p.start(QUORVEL_HELP_TOOL, {"--sources", QString::fromStdString((dir / "src").string()),
                                    "--pictures", QString(QUORVEL_DATA_DIR) + "/Images1i", "--out",
                                    QString::fromStdString((dir / out).string())});
        if (!p.waitForFinished(60000)) return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    void sources(const std::string& diagrams, const std::string& page) {
        std::filesystem::create_directories(dir / "src");
        put("src/diagrams.txt", diagrams);
        put("src/page.txt", "title: A page\nlang: en\n\n" + page);
    }
    QByteArray bytes(const std::string& name) {
        QFile f(QString::fromStdString((dir / name).string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

struct Refusal {
    const char* name;
    const char* diagrams;
    const char* page;
    const char* says;
};

const Refusal REFUSALS[] = {
    {"CaptureOfFewerPieces", "diagram d\nfen W:W31,24:B27,18,20\nmove 24x15\ncheck only\n",
     "@diagram d x\n", "24x15 is not a legal move here"},
    {"ManCapturesWhenTheKingCan",
     "diagram d\nfen W:W22,K27:B18,23\nmove 22x13\nwrong 27x20\ncheck only\n", "@diagram d x\n",
     "22x13 is not a legal move here"},
    {"ManTakingAKing", "diagram d\nfen W:W22:BK18\nmove 22x13\ncheck only\n", "@diagram d x\n",
     "22x13 is not a legal move here"},
    {"MovesLeftOut", "diagram d\nfen W:W22:B11\nmove 22-18\ncheck only\n", "@diagram d x\n",
     "2 legal moves, 1 drawn"},
    {"NotAJump", "diagram d\nfen W:W22:B18\nmove 22x14\ncheck only\n", "@diagram d x\n",
     "not a chain of jumps"},
    {"BlockedSideThatCanMove", "diagram d\nfen W:W21-32:B1-12\ncheck nomove\n", "@diagram d x\n",
     "the side to move has 7 moves"},
    {"BadPosition", "diagram d\nfen W:W33:B1\n", "@diagram d x\n", "not between 1 and 32"},
    {"UnknownWord", "diagram d\nfen W:W22:B1\narrow 22-18\n", "", "unknown word 'arrow'"},
    {"UnknownDiagram", "diagram d\nfen W:W22:B1\n", "@diagram e x\n", "unknown diagram 'e'"},
    {"SectionWithoutAnchor", "diagram d\nfen W:W22:B1\n", "## Moves\n",
     "a section heading needs an {#id}"},
};

class HelpToolRefuses : public HelpTool, public ::testing::WithParamInterface<Refusal> {};

TEST_P(HelpToolRefuses, WithAMessage) {
    sources(GetParam().diagrams, GetParam().page);
    const ToolResult r = run("out");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.errors.contains(GetParam().says)) << qPrintable(r.errors);
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpToolRefuses, ::testing::ValuesIn(REFUSALS),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpTool, WritesThePageAndItsDiagramsTheSameEveryTime) {
    sources(
        "diagram most\nfen W:W31,24:B27,18,20\nmove 31x22x13\nwrong 24x15\ncheck only\n"
        "diagram unused\nfen W:W22:B1\n",
        "# Rules\n\n@contents Contents\n\n## Captures {#captures}\n\nTake **most**, see "
        "[below](#captures).\n\n@diagram most The most pieces.\n\n- one\n- two\n"
        "  continued\n\n| a | b |\n|---|---|\n| 1 | 2 |\n");
    put("src/page_fr.txt", "title: Une page\nlang: fr\n\nVoir « ceci » : oui !\n");
    for (const char* out : {"one", "two"}) ASSERT_EQ(run(out).status, 0);
    const QByteArray html = bytes("one/page.html");
    EXPECT_TRUE(html.contains("<h2 id=\"captures\"><a name=\"captures\"></a>Captures</h2>"));
    EXPECT_TRUE(html.contains("<li><a href=\"#captures\">Captures</a></li>"));
    EXPECT_TRUE(html.contains("Take <b>most</b>, see <a href=\"#captures\">below</a>."));
    EXPECT_TRUE(html.contains("<img src=\"img/most.png\""));
    EXPECT_TRUE(html.contains("<li>two continued</li>"));
    EXPECT_TRUE(html.contains("<tr><th>a</th><th>b</th></tr>"));
    EXPECT_TRUE(html.contains("<tr><td>1</td><td>2</td></tr>"));
    // French keeps guillemets and the signs after a blank on the line of their word.
    EXPECT_TRUE(bytes("one/page_fr.html").contains("Voir «&nbsp;ceci&nbsp;»&nbsp;: oui&nbsp;!"));
    const QByteArray png = bytes("one/img/most.png");
    EXPECT_FALSE(png.isEmpty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString((dir / "one/img/unused.png").string())));
    EXPECT_EQ(html, bytes("two/page.html"));
    EXPECT_EQ(png, bytes("two/img/most.png"));
}

}  // namespace
}  // namespace qv::test
