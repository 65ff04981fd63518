// Reading a help page the way the help window does: Qt's rich-text engine.
#pragma once

#include <QFile>
#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace qv::test {

struct HelpHtml {
    QString raw, title;
    QStringList links, images;
    QSet<QString> anchors;
};

inline bool read_help_html(const QString& path, HelpHtml& out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    out.raw = QString::fromUtf8(f.readAll());
    QTextDocument doc;
    doc.setHtml(out.raw);
    out.title = doc.metaInformation(QTextDocument::DocumentTitle);
    for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            for (const QString& a : f.anchorNames()) out.anchors.insert(a);
            if (f.isAnchor() && !f.anchorHref().isEmpty()) out.links << f.anchorHref();
            if (f.isImageFormat()) out.images << f.toImageFormat().name();
        }
    return true;
}

}  // namespace qv::test
