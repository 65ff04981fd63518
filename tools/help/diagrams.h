// Board diagrams for the help pages: a position, the moves drawn on it as arrows, and a
// check against the move generator that the moves shown are what the rules allow.
#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace help {

// A move as written in the notation: its squares in order ("31x22x13" or "22-19").
struct Path {
    std::vector<int> labels;
    bool capture = false;
};

// What the move generator must say about the position.
enum class Check {
    None,    // nothing (a picture only)
    Only,    // the moves drawn are exactly the legal moves
    Among,   // the moves drawn are legal (others may be too)
    NoMove,  // the side to move has no legal move
};

struct Diagram {
    std::string name;
    std::string fen;
    std::vector<Path> moves;  // played: drawn in green
    std::vector<Path> wrong;  // forbidden by the rules: drawn in red, dashed
    Check check = Check::None;
    bool all_labels = false;  // every dark square carries its number
    int line = 0;             // where the diagram starts in its file
};

// Reads the diagram file; on failure says where and what in `error`.
bool read_diagrams(const std::string& path, std::vector<Diagram>& out, std::string& error);
// Sets up the position and compares the moves drawn with the legal moves.
bool check_diagram(const Diagram& d, std::string& error);

// The 2D board's squares (60 x 60): index 0..4 by piece code on a dark square, 5 light.
struct Tiles {
    QImage tile[6];
};
bool load_tiles(const std::string& dir, Tiles& tiles, std::string& error);
QImage draw_diagram(const Diagram& d, const Tiles& tiles);

}  // namespace help
