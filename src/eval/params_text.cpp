#include "eval/params_text.h"

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

}  // namespace

bool parse_parameter_text(std::istream& in, Parameters& out, std::string& error) {
    Parameters p;
    if (!TextReader(error).run(in, p)) return false;
    out = p;
    return true;
}

}  // namespace qv
