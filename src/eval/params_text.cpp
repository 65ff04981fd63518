#include "eval/params_text.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace qv {
namespace {

int table_index(const std::string& name) {
    for (int i = 0; i < MAN_TABLE_COUNT; ++i)
        if (name == MAN_TABLE_NAMES[i]) return i;
    return -1;
}

std::vector<std::string> tokens_of(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

class TextReader {
  public:
    explicit TextReader(std::string& error) : error_(error) {}

    bool run(std::istream& in, Parameters& p) {
        for (std::string line; std::getline(in, line);) {
            ++line_number_;
            const auto t = tokens_of(line);
            if (!t.empty() && !(table_ >= 0 ? table_row(t, p) : statement(t, p))) return false;
        }
        if (table_ >= 0) return fail("table cut short");
        for (const auto& [name, seen] : scalars_)
            if (!seen) return fail(std::string("missing ") + name);
        for (int i = 0; i < MAN_TABLE_COUNT; ++i) {
            if (!seen_table_[i]) return fail(std::string("missing table ") + MAN_TABLE_NAMES[i]);
            if (!seen_tempo_[i]) return fail(std::string("missing tempo ") + MAN_TABLE_NAMES[i]);
        }
        return true;
    }

  private:
    bool fail(const std::string& what) {
        error_ = "line " + std::to_string(line_number_) + ": " + what;
        return false;
    }

    bool value(const std::string& token, int8_t& out) {
        char* end = nullptr;
        const long v = std::strtol(token.c_str(), &end, 10);
        if (token.empty() || *end != 0) return fail("not a number: " + token);
        if (v < -128 || v > 127) return fail("outside -128..127: " + token);
        out = static_cast<int8_t>(v);
        return true;
    }

    // Row r from the top holds entries 29 - 4r .. 32 - 4r, left to right.
    bool table_row(const std::vector<std::string>& t, Parameters& p) {
        if (t.size() != 4) return fail("a table row holds 4 values");
        for (int k = 0; k < 4; ++k)
            if (!value(t[k], p.man_tables[table_][29 - 4 * row_ + k])) return false;
        if (++row_ == 8) table_ = -1;
        return true;
    }

    bool statement(const std::vector<std::string>& t, Parameters& p) {
        const std::string& key = t[0];
        if (key == "table" || key == "tempo") {
            const int i = t.size() >= 2 ? table_index(t[1]) : -1;
            if (i < 0) return fail("unknown table name");
            bool& seen = key == "table" ? seen_table_[i] : seen_tempo_[i];
            if (seen) return fail("given twice: " + key + " " + t[1]);
            seen = true;
            if (key == "tempo")
                return t.size() == 3 ? value(t[2], p.tempo_coef[i]) : fail("tempo NAME VALUE");
            if (t.size() != 2) return fail("table NAME, then 8 rows");
            table_ = i;
            row_ = 0;
            return true;
        }
        struct Field {
            const char* name;
            int8_t* values;
            size_t count;
        };
        const Field fields[] = {
            {"opening_threshold", &p.opening_threshold, 1},
            {"middle_threshold", &p.middle_threshold, 1},
            {"prefinal_threshold", &p.prefinal_threshold, 1},
            {"variant1_white_squares", p.variant1_white_squares, 7},
            {"variant1_black_squares", p.variant1_black_squares, 7},
            {"variant2_white_squares", p.variant2_white_squares, 7},
            {"variant2_black_squares", p.variant2_black_squares, 7},
        };
        for (size_t f = 0; f < std::size(fields); ++f) {
            if (key != fields[f].name) continue;
            if (scalars_[f].seen) return fail("given twice: " + key);
            scalars_[f].seen = true;
            if (t.size() != fields[f].count + 1)
                return fail(key + " wants " + std::to_string(fields[f].count) + " values");
            for (size_t i = 0; i < fields[f].count; ++i)
                if (!value(t[i + 1], fields[f].values[i])) return false;
            return true;
        }
        return fail("unknown name " + key);
    }

    std::string& error_;
    int line_number_ = 0;
    int table_ = -1, row_ = 0;
    bool seen_table_[MAN_TABLE_COUNT] = {};
    bool seen_tempo_[MAN_TABLE_COUNT] = {};
    struct Seen {
        const char* name;
        bool seen;
    } scalars_[7] = {{"opening_threshold", false},      {"middle_threshold", false},
                     {"prefinal_threshold", false},     {"variant1_white_squares", false},
                     {"variant1_black_squares", false}, {"variant2_white_squares", false},
                     {"variant2_black_squares", false}};
};

// `line` with its first `values.size()` numbers (outside the comment) replaced, each
// right-aligned in the width the old number and the blanks before it had.
std::string replace_numbers(const std::string& line, const std::vector<int>& values) {
    const size_t comment = std::min(line.find('#'), line.size());
    std::string out;
    size_t at = 0, k = 0;
    while (at < comment && k < values.size()) {
        const size_t start = line.find_first_not_of(" \t", at);
        if (start >= comment) break;
        size_t end = line.find_first_of(" \t#", start);
        end = std::min(end, comment);
        const std::string token = line.substr(start, end - start);
        const bool number = token.find_first_not_of("-+0123456789") == std::string::npos;
        if (!number) {
            out += line.substr(at, end - at);
        } else {
            std::string v = std::to_string(values[k++]);
            const size_t width = end - at;
            if (v.size() < width)
                v.insert(0, width - v.size(), ' ');
            else if (at < start)
                v.insert(0, 1, ' ');
            out += v;
        }
        at = end;
    }
    return out + line.substr(at);
}

}  // namespace

std::string rewrite_parameter_values(const std::string& text, const Parameters& p) {
    std::istringstream in(text);
    std::string out;
    int table = -1, row = 0;
    for (std::string line; std::getline(in, line);) {
        const auto t = tokens_of(line);
        if (table >= 0 && !t.empty()) {
            std::vector<int> v;
            for (int k = 0; k < 4; ++k) v.push_back(p.man_tables[table][29 - 4 * row + k]);
            line = replace_numbers(line, v);
            if (++row == 8) table = -1;
        } else if (t.size() >= 2 && (t[0] == "table" || t[0] == "tempo")) {
            const int i = table_index(t[1]);
            if (i >= 0 && t[0] == "table") table = i, row = 0;
            if (i >= 0 && t[0] == "tempo") line = replace_numbers(line, {p.tempo_coef[i]});
        }
        out += line;
        out += '\n';
    }
    return out;
}

bool parse_parameter_text(std::istream& in, Parameters& out, std::string& error) {
    Parameters p;
    if (!TextReader(error).run(in, p)) return false;
    out = p;
    return true;
}

}  // namespace qv
