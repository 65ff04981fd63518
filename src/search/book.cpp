#include "search/book.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/file_io.h"
#include "board/movegen.h"

namespace qv {

BookState book;

namespace {

std::mt19937 book_random(std::random_device{}());

// Reads a notation number of one or two digits, after optional blanks.
bool read_number(const std::string& s, size_t& i, int& n) {
    while (i < s.size() && s[i] == ' ') ++i;
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
    n = 0;
    for (int k = 0; k < 2 && i < s.size() && s[i] >= '0' && s[i] <= '9'; ++k, ++i)
        n = 10 * n + (s[i] - '0');
    return true;
}

}  // namespace

bool read_move(const std::string& s, size_t& i, int& from, int& to) {
    if (!read_number(s, i, from)) return false;
    if (i >= s.size() || (s[i] != '-' && s[i] != 'x')) return false;
    ++i;
    return read_number(s, i, to);
}

void seed_book_random(uint32_t seed) {
    book_random.seed(seed);
}

std::vector<std::string> book_lines_of(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string& line : split_lines(text))
        if (!line.empty()) lines.push_back(std::move(line));
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool read_book_lines(const std::string& file, std::vector<std::string>& out) {
    std::string text;
    bool whole = false;
    if (!read_file_prefix(file, MAX_BOOK_FILE, text, &whole) || !whole) return false;
    out = book_lines_of(text);
    return true;
}

bool load_book_list(int side, const std::string& file) {
    auto& list = book.lists[side];
    if (read_book_lines(file, list)) return true;
    list.clear();
    std::fprintf(stderr, "opening list %s missing: empty list\n", file.c_str());
    return false;
}

void load_book_lists() {
    load_book_list(WHITE, data_path("ouvert_b.ouv").string());
    load_book_list(BLACK, data_path("ouvert_n.ouv").string());
}

bool save_book_list(int side, const std::string& file) {
    return write_file_atomic(file, join_lines_crlf(book.lists[side]));
}

bool book_window(int g, bool twelve_men_each) {
    return (g <= 2 && twelve_men_each) || (g >= 3 && g <= 41);
}

void find_book_moves(int side, const SearchInputs& in) {
    book.candidate_count = 0;
    const int g = in.game_ply;
    for (const auto& line : book.lists[side]) {
        size_t i = 0;
        int from = 0, to = 0;
        bool follows = true;
        for (int k = 1; k <= g && follows; ++k) {
            follows = read_move(line, i, from, to) && square_of_label(from) == in.line[k].from &&
                      square_of_label(to) == in.line[k].to;
        }
        if (!follows || !read_move(line, i, from, to)) continue;
        const int f = square_of_label(from), t = square_of_label(to);
        if (f == 0 || t == 0) continue;
        const int n = book.candidate_count;
        if (n > 0 && book.book_candidates[n - 1].from == f && book.book_candidates[n - 1].to == t)
            continue;
        if (n >= MAX_CANDIDATES) break;
        book.book_candidates[n] = {static_cast<uint8_t>(f), static_cast<uint8_t>(t)};
        ++book.candidate_count;
    }
}

int pick_book_move(int side, const SearchInputs& in, int n) {
    find_book_moves(side, in);
    if (book.candidate_count == 0) return -1;
    int pool[MAX_POOL];
    int size = 0;
    const Move* list = move_lists[1];
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < book.candidate_count && size < MAX_POOL; ++c)
            if (list[i].from == book.book_candidates[c].from &&
                list[i].to == book.book_candidates[c].to)
                pool[size++] = i;
    if (size == 0) return -1;
    return pool[book_random() % static_cast<uint32_t>(size)];
}

}  // namespace qv
