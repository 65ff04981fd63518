// quorvel-help: writes the help pages and their board diagrams.
//   quorvel-help --sources DIR --pictures DIR --out DIR [--stamp FILE]
// DIR/diagrams.txt describes the diagrams; every other DIR/*.txt is a page, written as
// OUT/<name>.html with its diagrams in OUT/img. Each diagram's moves are checked against
// the move generator first, so a page never shows a move the rules do not allow.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <string>

#include "diagrams.h"
#include "markup.h"

namespace {

bool write_file(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
    std::fprintf(stderr, "quorvel-help: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // fonts for the square numbers
    QString sources, pictures, out, stamp;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString key = argv[i], value = QString::fromLocal8Bit(argv[i + 1]);
        if (key == "--sources")
            sources = value;
        else if (key == "--pictures")
            pictures = value;
        else if (key == "--out")
            out = value;
        else if (key == "--stamp")
            stamp = value;
        else {
            std::fprintf(stderr, "quorvel-help: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (sources.isEmpty() || pictures.isEmpty() || out.isEmpty()) {
        std::fprintf(stderr,
                     "usage: quorvel-help --sources DIR --pictures DIR --out DIR [--stamp FILE]\n");
        return 2;
    }

    std::vector<help::Diagram> diagrams;
    std::string error;
    if (!help::read_diagrams((sources + "/diagrams.txt").toStdString(), diagrams, error)) {
        std::fprintf(stderr, "quorvel-help: %s\n", error.c_str());
        return 1;
    }
    bool ok = true;
    QSet<QString> known;
    for (const help::Diagram& d : diagrams) {
        known.insert(QString::fromStdString(d.name));
        if (!help::check_diagram(d, error)) {
            std::fprintf(stderr, "quorvel-help: diagrams.txt:%d: %s\n", d.line, error.c_str());
            ok = false;
        }
    }
    help::Tiles tiles;
    if (!help::load_tiles(pictures.toStdString(), tiles, error)) {
        std::fprintf(stderr, "quorvel-help: %s\n", error.c_str());
        return 1;
    }
    if (!ok || !QDir().mkpath(out + "/img")) return 1;

    QSet<QString> used;
    const QStringList pages = QDir(sources).entryList({"*.txt"}, QDir::Files, QDir::Name);
    for (const QString& name : pages) {
        if (name == "diagrams.txt") continue;
        QFile f(sources + "/" + name);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "quorvel-help: cannot read %s\n", qPrintable(f.fileName()));
            return 1;
        }
        const help::Page page = help::to_html(QString::fromUtf8(f.readAll()), known);
        for (const QString& e : page.errors) {
            std::fprintf(stderr, "quorvel-help: %s: %s\n", qPrintable(name), qPrintable(e));
            ok = false;
        }
        for (const QString& d : page.diagrams) used.insert(d);
        const QString html = out + "/" + QFileInfo(name).completeBaseName() + ".html";
        ok = write_file(html, page.html.toUtf8()) && ok;
    }
    // Only the diagrams some page shows are shipped.
    for (const help::Diagram& d : diagrams) {
        const QString name = QString::fromStdString(d.name);
        if (!used.contains(name)) continue;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        help::draw_diagram(d, tiles).save(&buffer, "PNG");
        ok = write_file(out + "/img/" + name + ".png", png) && ok;
    }
    if (!ok) return 1;
    if (!stamp.isEmpty() && !write_file(stamp, QByteArray("help pages written\n"))) return 1;
    return 0;
}
