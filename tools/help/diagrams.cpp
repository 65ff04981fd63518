#include "diagrams.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"

namespace help {

namespace {

constexpr int TILE = 40;  // a square in the diagram
constexpr int FRAME = 3;  // wood round the squares
constexpr int SIDE = 8 * TILE + 2 * FRAME;

bool parse_path(const std::string& text, Path& out) {
    out = Path{};
    size_t i = 0;
    while (i < text.size()) {
        size_t start = i;
        int n = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            n = n * 10 + (text[i++] - '0');
        if (i == start || n < 1 || n > 32) return false;
        out.labels.push_back(n);
        if (i == text.size()) break;
        const bool capture = text[i] == 'x';
        if (!capture && text[i] != '-') return false;
        if (out.labels.size() > 1 && capture != out.capture) return false;
        out.capture = capture;
        ++i;
    }
    return out.labels.size() >= 2 && (out.capture || out.labels.size() == 2);
}

std::string path_text(const Path& p) {
    std::string s;
    for (size_t i = 0; i < p.labels.size(); ++i) {
        if (i) s += p.capture ? "x" : "-";
        s += std::to_string(p.labels[i]);
    }
    return s;
}

// The move the path describes, in internal squares; false when a step is not a jump.
bool path_move(const Path& p, qv::Move& m) {
    m = qv::Move{};
    m.from = static_cast<uint8_t>(qv::square_of_label(p.labels.front()));
    m.to = static_cast<uint8_t>(qv::square_of_label(p.labels.back()));
    if (!p.capture) return true;
    for (size_t i = 0; i + 1 < p.labels.size(); ++i) {
        const int a = qv::square_of_label(p.labels[i]), b = qv::square_of_label(p.labels[i + 1]);
        int jumped = 0;
        for (int d = 0; d < 4; ++d) {
            const int mid = qv::neighbour[d][a];
            if (mid && qv::neighbour[d][mid] == b) jumped = mid;
        }
        if (!jumped) return false;
        m.taken[m.captures++] = static_cast<uint8_t>(jumped);
    }
    return true;
}

bool same(const qv::Move& a, const qv::Move& b) {
    if (a.from != b.from || a.to != b.to || a.captures != b.captures) return false;
    for (int i = 0; i < a.captures; ++i)
        if (a.taken[i] != b.taken[i]) return false;
    return true;
}

QPointF centre(int label) {
    const int s = qv::square_of_label(label);
    return {FRAME + TILE * qv::square_column(s) + TILE / 2.0,
            FRAME + TILE * qv::square_row(s) + TILE / 2.0};
}

void draw_arrow(QPainter& p, const Path& path, QColor colour, bool dashed) {
    QPainterPath line;
    line.moveTo(centre(path.labels.front()));
    for (size_t i = 1; i < path.labels.size(); ++i) line.lineTo(centre(path.labels[i]));
    // The line stops short of the last centre so that the head sits on it.
    const QPointF end = centre(path.labels.back());
    const QPointF before = centre(path.labels[path.labels.size() - 2]);
    const QPointF dir = (end - before) / std::hypot(end.x() - before.x(), end.y() - before.y());
    const QPointF base = end - dir * 12.0;
    QPainterPath body;
    body.moveTo(centre(path.labels.front()));
    for (size_t i = 1; i + 1 < path.labels.size(); ++i) body.lineTo(centre(path.labels[i]));
    body.lineTo(base);
    const QPointF normal(-dir.y(), dir.x());
    const QPolygonF head({end, base + normal * 8.0, base - normal * 8.0});

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(body);
    QPen pen(colour, 4, dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.drawPath(body);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.setBrush(colour);
    p.drawPolygon(head);
}

void draw_label(QPainter& p, int label) {
    const QPointF c = centre(label);
    const QRectF box(c.x() - TILE / 2.0, c.y() + TILE / 2.0 - 12, 15, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(box);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, QString::asprintf("%02d", label));
}

}  // namespace

bool read_diagrams(const std::string& path, std::vector<Diagram>& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& what) {
        error = path + ":" + std::to_string(number) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string key;
        if (!(words >> key) || key[0] == '#') continue;
        std::string value;
        words >> value;
        if (key == "diagram") {
            if (value.empty()) return fail("a diagram needs a name");
            for (const Diagram& d : out)
                if (d.name == value) return fail("diagram " + value + " is defined twice");
            out.push_back(Diagram{});
            out.back().name = value;
            out.back().line = number;
            continue;
        }
        if (out.empty()) return fail("'" + key + "' before the first diagram");
        Diagram& d = out.back();
        if (key == "fen") {
            d.fen = value;
        } else if (key == "move" || key == "wrong") {
            Path p;
            if (!parse_path(value, p)) return fail("cannot read the move '" + value + "'");
            (key == "move" ? d.moves : d.wrong).push_back(p);
        } else if (key == "check") {
            if (value == "only")
                d.check = Check::Only;
            else if (value == "among")
                d.check = Check::Among;
            else if (value == "nomove")
                d.check = Check::NoMove;
            else
                return fail("check is only, among or nomove, not '" + value + "'");
        } else if (key == "labels") {
            if (value != "all") return fail("labels takes 'all'");
            d.all_labels = true;
        } else {
            return fail("unknown word '" + key + "'");
        }
    }
    for (const Diagram& d : out)
        if (d.fen.empty()) {
            number = d.line;
            return fail("diagram " + d.name + " has no position");
        }
    return true;
}

bool check_diagram(const Diagram& d, std::string& error) {
    qv::Position pos;
    std::string why;
    if (!qv::parse_fen(d.fen, pos, why)) {
        error = d.name + ": " + why;
        return false;
    }
    qv::set_position(pos);
    std::vector<qv::Move> legal;
    const int n = qv::legal_moves(pos.side_to_move);
    for (int i = 0; i < n; ++i) legal.push_back(qv::move_lists[1][i]);
    auto listed = [&](const Path& p, bool& ok) {
        qv::Move m;
        ok = path_move(p, m);
        for (const qv::Move& l : legal)
            if (same(l, m)) return true;
        return false;
    };
    for (const Path& p : d.moves) {
        bool ok = false;
        const bool found = listed(p, ok);
        if (!ok) {
            error = d.name + ": " + path_text(p) + " is not a chain of jumps";
            return false;
        }
        if (d.check != Check::None && !found) {
            error = d.name + ": " + path_text(p) + " is not a legal move here";
            return false;
        }
    }
    for (const Path& p : d.wrong) {
        bool ok = false;
        if (listed(p, ok) && (d.check == Check::Only || d.check == Check::NoMove)) {
            error = d.name + ": " + path_text(p) + " is drawn as forbidden but is legal";
            return false;
        }
    }
    if (d.check == Check::Only && legal.size() != d.moves.size()) {
        error = d.name + ": " + std::to_string(legal.size()) + " legal moves, " +
                std::to_string(d.moves.size()) + " drawn";
        return false;
    }
    if (d.check == Check::NoMove && !legal.empty()) {
        error = d.name + ": the side to move has " + std::to_string(legal.size()) + " moves";
        return false;
    }
    return true;
}

bool load_tiles(const std::string& dir, Tiles& tiles, std::string& error) {
    // By piece code on a dark square, then the light square: the 2D board's own pictures.
    const char* names[6] = {"1pva.bmp", "1pba.BMP", "1dba.bmp",
                            "1pna.bmp", "1dna.bmp", "1cache.BMP"};
    for (int i = 0; i < 6; ++i) {
        const QString file = QString::fromStdString(dir + "/" + names[i]);
        QImage img(file);
        if (img.isNull()) {
            error = file.toStdString() + ": cannot be read";
            return false;
        }
        tiles.tile[i] = img.convertToFormat(QImage::Format_RGB32)
                            .scaled(TILE, TILE, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return true;
}

QImage draw_diagram(const Diagram& d, const Tiles& tiles) {
    qv::Position pos;
    std::string why;
    qv::parse_fen(d.fen, pos, why);
    QImage img(SIDE, SIDE, QImage::Format_RGB32);
    img.fill(QColor(74, 46, 28));
    QPainter p(&img);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) {
            const int s = qv::square_from_cell(row, col);
            const QImage& t =
                s ? tiles.tile[pos.squares[s] <= 4 ? pos.squares[s] : 0] : tiles.tile[5];
            p.drawImage(FRAME + col * TILE, FRAME + row * TILE, t);
        }
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    std::vector<int> labelled;
    if (d.all_labels)
        for (int n = 1; n <= 32; ++n) labelled.push_back(n);
    for (const auto* list : {&d.moves, &d.wrong})
        for (const Path& path : *list)
            labelled.insert(labelled.end(), path.labels.begin(), path.labels.end());
    std::sort(labelled.begin(), labelled.end());
    labelled.erase(std::unique(labelled.begin(), labelled.end()), labelled.end());
    for (const Path& path : d.wrong) draw_arrow(p, path, QColor(200, 30, 30), true);
    for (const Path& path : d.moves) draw_arrow(p, path, QColor(20, 140, 40), false);
    for (int n : labelled) draw_label(p, n);
    p.end();
    return img;
}

}  // namespace help
