#include "game/players.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "board/file_io.h"
#include "game/clocks.h"
#include "game/game_record.h"

namespace qv {

MatchState match;

namespace {

const char* NAMES_FILE = "joueurs.dat";
const char* RATINGS_FILE = "points.dat";
// Both new texts while a change to the two files is under way: the names text's length in
// decimal and a LF, then the names text, then the ratings text.
const char* PAIR_FILE = "joueurs.pair";

// Reads a players file's text; a missing file gives an empty text. False if it exists but
// cannot be read or is larger than `limit`.
bool read_list(const std::filesystem::path& path, std::string& text,
               std::uintmax_t limit = MAX_PLAYERS_FILE) {
    std::error_code ec;
    text.clear();
    if (!std::filesystem::exists(path, ec)) return true;
    bool whole = false;
    return read_file_prefix(path, limit, text, &whole) && whole;
}

bool parse_pair(std::string_view journal, std::string& names, std::string& ratings) {
    const size_t eol = journal.find('\n');
    int32_t length = 0;
    if (eol == std::string_view::npos || !parse_whole_number(journal.substr(0, eol), length) ||
        length < 0 || static_cast<size_t>(length) > journal.size() - eol - 1)
        return false;
    names = journal.substr(eol + 1, static_cast<size_t>(length));
    ratings = journal.substr(eol + 1 + static_cast<size_t>(length));
    return true;
}

// The two files from the journal's texts; the journal goes once both are in place.
bool install_pair(const std::filesystem::path& dir, std::string_view names,
                  std::string_view ratings) {
    if (!write_file_atomic(dir / NAMES_FILE, names) ||
        !write_file_atomic(dir / RATINGS_FILE, ratings))
        return false;  // the journal stays: the next read tries again
    std::error_code ec;
    std::filesystem::remove(dir / PAIR_FILE, ec);
    return !ec;
}

// A change that a kill interrupted once its journal was complete is carried out now; a
// journal that does not read as one was never complete and is dropped. `pending`: the
// journal is still there (its files could not be written), its texts in names and ratings.
bool finish_pair(const std::filesystem::path& dir, std::string& names, std::string& ratings,
                 bool& pending) {
    pending = false;
    std::error_code ec;
    if (!std::filesystem::exists(dir / PAIR_FILE, ec)) return true;
    std::string journal;
    if (!read_list(dir / PAIR_FILE, journal, 2 * MAX_PLAYERS_FILE + 32)) return false;
    if (!parse_pair(journal, names, ratings)) {
        std::filesystem::remove(dir / PAIR_FILE, ec);
        return true;
    }
    pending = !install_pair(dir, names, ratings);
    return true;
}

int32_t clamp32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Keeps absurd ratings from overflowing the products; real ratings never come near.
int64_t capped(int64_t t) {
    return t > 1'000'000'000 ? 1'000'000'000 : t;
}

}  // namespace

int rating_value(std::string_view line) {
    int32_t v = 0;
    return parse_whole_number(line, v) ? v : 0;
}

PlayersTable players_from_text(std::string_view names, std::string_view ratings) {
    PlayersTable t;
    t.names = split_lines(names);
    t.ratings = split_lines(ratings);
    for (auto& n : t.names) n = fit_name(n);
    if (t.names.empty()) t.names.push_back(COMPUTER_NAME);
    if (t.ratings.empty()) t.ratings.push_back(std::to_string(COMPUTER_RATING));
    // Line i of both files is one player: keep them aligned.
    t.ratings.resize(t.names.size(), std::to_string(UNKNOWN_RATING));
    return t;
}

bool read_players(const std::filesystem::path& dir, PlayersTable& table) {
    std::string names, ratings;
    bool pending = false;
    // An unfinished change wins, even when its files cannot be put in place here.
    if (!finish_pair(dir, names, ratings, pending)) return false;
    if (!pending &&
        (!read_list(dir / NAMES_FILE, names) || !read_list(dir / RATINGS_FILE, ratings)))
        return false;
    table = players_from_text(names, ratings);
    return true;
}

bool write_ratings(const std::filesystem::path& dir, const PlayersTable& table) {
    std::string names, ratings;
    bool pending = false;
    // An older change must not land after this one.
    return finish_pair(dir, names, ratings, pending) && !pending &&
           write_file_atomic(dir / RATINGS_FILE, join_lines_crlf(table.ratings));
}

bool write_players(const std::filesystem::path& dir, const PlayersTable& table) {
    // The journal's rename is the moment the change is made: a kill before it leaves the
    // old pair, a kill after it leaves a journal that the next read carries out.
    const std::string names = join_lines_crlf(table.names);
    const std::string ratings = join_lines_crlf(table.ratings);
    return write_file_atomic(dir / PAIR_FILE,
                             std::to_string(names.size()) + "\n" + names + ratings) &&
           install_pair(dir, names, ratings);
}

bool add_player(PlayersTable& table, std::string_view name, int capital) {
    const std::string fitted = fit_name(name);
    if (fitted.empty()) return false;
    char line[16];
    std::snprintf(line, sizeof line, "%4d", capital);
    table.ratings.resize(table.names.size(), std::to_string(UNKNOWN_RATING));
    table.names.push_back(fitted);
    table.ratings.push_back(line);
    return true;
}

bool delete_player(PlayersTable& table, int line) {
    if (line <= 0 || line >= static_cast<int>(table.names.size())) return false;
    table.names.erase(table.names.begin() + line);
    if (line < static_cast<int>(table.ratings.size()))
        table.ratings.erase(table.ratings.begin() + line);
    return true;
}

void reset_computer_rating(PlayersTable& table) {
    if (table.ratings.empty())
        table.ratings.push_back("2050");
    else
        table.ratings[0] = "2050";
}

int person_line(PlayersTable& table, std::string_view person, int selected_line) {
    const std::string name = fit_name(person);
    if (name.empty() || name == COMPUTER_NAME) return -1;
    const int n = static_cast<int>(table.names.size());
    if (selected_line > 0 && selected_line < n && table.names[selected_line] == name)
        return selected_line;
    for (int i = 1; i < n; ++i)
        if (table.names[i] == name) return i;
    add_player(table, name, name == UNKNOWN_NAME ? UNKNOWN_RATING : NEW_PLAYER_RATING);
    return n;
}

int match_rating(const PlayersTable& table, int line, std::string_view name) {
    if (name == UNKNOWN_NAME) return UNKNOWN_RATING;
    if (line < 0 || line >= static_cast<int>(table.ratings.size())) return UNKNOWN_RATING;
    return rating_value(table.ratings[line]);
}

RatingUpdate update_ratings(int32_t white_rating, int32_t black_rating, int result) {
    RatingUpdate u;
    u.white = white_rating;
    u.black = black_rating;
    if (white_rating <= 0 || black_rating <= 0) return u;
    const int64_t rw = white_rating, rb = black_rating;
    int64_t t = 0;
    switch (result) {
        case BLACK_WON:  // the loser's ratio enters three more times
            t = (rw > rb ? rw - rb : rb - rw) * rw / rb;
            t = t / 20;
            for (int i = 0; i < 3; ++i) t = capped(t) * rw / rb;
            t = t + 5;
            u.white = clamp32(rw - t);
            u.black = clamp32(rb + t);
            break;
        case WHITE_WON:
            t = (rb > rw ? rb - rw : rw - rb) * rb / rw;
            t = t / 20;
            for (int i = 0; i < 2; ++i) t = capped(t) * rb / rw;
            t = t + 5;
            u.white = clamp32(rw + t);
            u.black = clamp32(rb - t);
            break;
        case DRAWN:
            u.white = clamp32(rw - (rw - rb) / 10);
            u.black = clamp32(rb - (rb - rw) / 10);
            break;
        default:
            return u;
    }
    u.applied = true;
    return u;
}

}  // namespace qv
