#include "lang/progress_text.h"

#include "lang/messages.h"

namespace qv {

std::vector<std::string> progress_lines(const SearchProgress& p, int language) {
    std::vector<std::string> lines;
    lines.push_back(format_message(Msg::PROGRESS_DEPTH, language, p.depth));
    lines.push_back(format_message(Msg::PROGRESS_NODES, language, static_cast<int>(p.nodes)));
    if (p.timed) {
        lines.push_back(format_message(Msg::PROGRESS_TIME, language, static_cast<int>(p.seconds)));
        lines.push_back(p.seconds > 0
                            ? format_message(Msg::PROGRESS_NODE_RATE, language,
                                             static_cast<int>(p.nodes / p.seconds))
                            : std::string(message(Msg::PROGRESS_NODE_RATE_NONE, language)));
    }
    lines.push_back(format_message(Msg::PROGRESS_SCORE, language, p.score));
    if (p.table == SearchProgress::Table::win)
        lines.push_back(format_message(Msg::TABLE_WIN_IN, language, p.table_plies));
    if (p.table == SearchProgress::Table::loss)
        lines.push_back(format_message(Msg::TABLE_LOSS_IN, language, p.table_plies));
    if (p.table == SearchProgress::Table::draw)
        lines.emplace_back(message(Msg::TABLE_DRAWN, language));
    lines.push_back(format_message(Msg::PROGRESS_MOVE, language, p.move_number));
    lines.insert(lines.end(), p.variation.begin(), p.variation.end());
    return lines;
}

}  // namespace qv
