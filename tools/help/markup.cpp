#include "markup.h"

#include <QRegularExpression>

namespace help {

namespace {

// French sets a no-break space inside guillemets and before : ; ! ? so that a line never
// starts with one of them.
QString french_spaces(QString s) {
    static const QRegularExpression before(R"(\s+([:;!?»]))");
    static const QRegularExpression after(R"(«\s+)");
    s.replace(before, "&nbsp;\\1");
    s.replace(after, "«&nbsp;");
    return s;
}

QString inline_text(const QString& raw, bool french) {
    QString s = raw.toHtmlEscaped();
    if (french) s = french_spaces(s);
    static const QRegularExpression bold(R"(\*\*(.+?)\*\*)");
    static const QRegularExpression link(R"(\[([^\]]+)\]\(([^)\s]+)\))");
    s.replace(bold, "<b>\\1</b>");
    s.replace(link, "<a href=\"\\2\">\\1</a>");
    return s;
}

struct Heading {
    QString id, text;
};

class Writer {
  public:
    explicit Writer(const QSet<QString>& known) : known_(known) {}

    Page run(const QString& source) {
        const QStringList lines = source.split('\n');
        // Headings first, for the table of contents.
        static const QRegularExpression h2(R"(^##\s+(.*?)\s*\{#([A-Za-z0-9_-]+)\}\s*$)");
        for (const QString& l : lines) {
            const auto m = h2.match(l);
            if (m.hasMatch()) headings_.push_back({m.captured(2), m.captured(1)});
        }
        int i = 0;
        for (; i < lines.size(); ++i) {
            const QString l = lines[i].trimmed();
            if (l.isEmpty()) continue;
            const int colon = l.indexOf(':');
            const QString key = l.left(colon);
            if (colon < 0 || key.contains(' ')) break;
            if (key == "title")
                title_ = l.mid(colon + 1).trimmed();
            else if (key == "lang")
                lang_ = l.mid(colon + 1).trimmed();
            else
                break;
        }
        if (title_.isEmpty()) error(1, "no title");
        for (; i < lines.size(); ++i) line(i + 1, lines[i]);
        close_block();
        Page page;
        page.diagrams = diagrams_;
        page.errors = errors_;
        page.html = QStringLiteral(
                        "<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                        "<title>%2</title>\n<style>\n"
                        "body { font-family: sans-serif; }\n"
                        "h1 { color: #5a3418; }\n"
                        "h2 { color: #5a3418; border-bottom: 1px solid #c8a878; }\n"
                        "h3 { color: #6e4420; }\n"
                        "td, th { padding: 3px 8px; }\n"
                        "th { background-color: #ecd6aa; }\n"
                        "p.diagram { text-align: center; }\n"
                        "</style>\n</head>\n<body>\n")
                        .arg(lang_, title_.toHtmlEscaped()) +
                    body_ + "</body>\n</html>\n";
        return page;
    }

  private:
    enum class Block { None, Para, Ul, Ol, Table };

    QString text(const QString& raw) const { return inline_text(raw, lang_ == "fr"); }

    void error(int n, const QString& what) { errors_ << QString("line %1: %2").arg(n).arg(what); }

    void close_block() {
        switch (block_) {
            case Block::Para:
                body_ += "<p>" + text(text_.trimmed()) + "</p>\n";
                break;
            case Block::Ul:
            case Block::Ol:
                close_item();
                body_ += block_ == Block::Ul ? "</ul>\n" : "</ol>\n";
                break;
            case Block::Table:
                body_ += "</table>\n";
                break;
            case Block::None:
                break;
        }
        block_ = Block::None;
        text_.clear();
    }
    void close_item() {
        if (!text_.isEmpty()) body_ += "<li>" + text(text_.trimmed()) + "</li>\n";
        text_.clear();
    }
    void open(Block b) {
        if (block_ == b) return;
        close_block();
        block_ = b;
        if (b == Block::Ul) body_ += "<ul>\n";
        if (b == Block::Ol) body_ += "<ol>\n";
        if (b == Block::Table)
            body_ += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
    }

    void table_row(int n, const QString& l) {
        static const QRegularExpression rule(R"(^\|[\s|:-]+\|$)");
        if (rule.match(l).hasMatch()) {
            // The row above was the header.
            body_.replace(last_row_,
                          QString(last_row_).replace("<td>", "<th>").replace("</td>", "</th>"));
            return;
        }
        QStringList cells = l.mid(1, l.size() - 2).split('|');
        if (l.size() < 2 || !l.endsWith('|')) error(n, "a table row ends with '|'");
        QString row = "<tr>";
        for (const QString& c : cells) row += "<td>" + text(c.trimmed()) + "</td>";
        row += "</tr>\n";
        last_row_ = row;
        body_ += row;
    }

    void line(int n, const QString& raw) {
        const QString l = raw.trimmed();
        static const QRegularExpression ol(R"(^\d+\.\s+(.*)$)");
        static const QRegularExpression id(R"(\s*\{#([A-Za-z0-9_-]+)\}\s*$)");
        if (l.isEmpty()) {
            close_block();
            return;
        }
        if (l.startsWith("@diagram")) {
            close_block();
            const QString rest = l.mid(8).trimmed();
            const QString name = rest.section(' ', 0, 0);
            const QString caption = rest.section(' ', 1);
            if (name.isEmpty() || !known_.contains(name))
                error(n, "unknown diagram '" + name + "'");
            diagrams_ << name;
            body_ += QString(
                         "<p class=\"diagram\" align=\"center\"><img src=\"img/%1.png\" "
                         "alt=\"%2\"/><br/><i>%3</i></p>\n")
                         .arg(name, caption.toHtmlEscaped(), text(caption));
            return;
        }
        if (l.startsWith("@contents")) {
            close_block();
            body_ += "<p><b>" + text(l.mid(9).trimmed()) + "</b></p>\n<ul>\n";
            for (const Heading& h : headings_)
                body_ += "<li><a href=\"#" + h.id + "\">" + text(h.text) + "</a></li>\n";
            body_ += "</ul>\n";
            return;
        }
        if (l.startsWith('@')) {
            error(n, "unknown command " + l.section(' ', 0, 0));
            return;
        }
        if (l.startsWith('#')) {
            close_block();
            const int level = l.indexOf(QRegularExpression("[^#]"));
            if (level < 1 || level > 3) {
                error(n, "headings have one to three '#'");
                return;
            }
            QString heading = l.mid(level).trimmed();
            QString anchor;
            const auto m = id.match(heading);
            if (m.hasMatch()) {
                anchor = m.captured(1);
                heading = heading.left(m.capturedStart());
            } else if (level == 2) {
                error(n, "a section heading needs an {#id}");
            }
            const QString tag = QString("h%1").arg(level);
            body_ += "<" + tag + (anchor.isEmpty() ? "" : " id=\"" + anchor + "\"") + ">" +
                     (anchor.isEmpty() ? "" : "<a name=\"" + anchor + "\"></a>") + text(heading) +
                     "</" + tag + ">\n";
            return;
        }
        if (l.startsWith('|')) {
            open(Block::Table);
            table_row(n, l);
            return;
        }
        if (l.startsWith("- ")) {
            open(Block::Ul);
            close_item();
            text_ = l.mid(2);
            return;
        }
        if (const auto m = ol.match(l); m.hasMatch()) {
            open(Block::Ol);
            close_item();
            text_ = m.captured(1);
            return;
        }
        if ((block_ == Block::Ul || block_ == Block::Ol) && raw.startsWith("  ")) {
            text_ += " " + l;
            return;
        }
        open(Block::Para);
        text_ += " " + l;
    }

    const QSet<QString>& known_;
    QString title_, lang_ = "en", body_, text_, last_row_;
    Block block_ = Block::None;
    QList<Heading> headings_;
    QStringList diagrams_, errors_;
};

}  // namespace

Page to_html(const QString& source, const QSet<QString>& known_diagrams) {
    return Writer(known_diagrams).run(source);
}

}  // namespace help
