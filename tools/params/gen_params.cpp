// Builds a parameter file from its text source: gen_params SOURCE.txt OUTPUT.par
// The text format is described at the top of data/params/defaut.txt.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "eval/params.h"

namespace {

constexpr const char* TABLE_NAMES[qv::MAN_TABLE_COUNT] = {
    "opening_default",  "middle_default",  "prefinal",         "final",
    "opening_variant1", "middle_variant1", "opening_variant2", "middle_variant2"};

int table_index(const std::string& name) {
    for (int i = 0; i < qv::MAN_TABLE_COUNT; ++i)
        if (name == TABLE_NAMES[i]) return i;
    return -1;
}

struct Reader {
    std::string source;
    int line_number = 0;
    bool fail(const std::string& what) const {
        std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), line_number, what.c_str());
        return false;
    }
};

bool to_value(const Reader& r, const std::string& token, int8_t& out) {
    char* end = nullptr;
    const long v = std::strtol(token.c_str(), &end, 10);
    if (token.empty() || *end != 0) return r.fail("not a number: " + token);
    if (v < -128 || v > 127) return r.fail("out of -128..127: " + token);
    out = static_cast<int8_t>(v);
    return true;
}

std::vector<std::string> tokens_of(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

bool read_values(const Reader& r, const std::vector<std::string>& t, int8_t* out, size_t n) {
    if (t.size() != n + 1) return r.fail(t[0] + " wants " + std::to_string(n) + " values");
    for (size_t i = 0; i < n; ++i)
        if (!to_value(r, t[i + 1], out[i])) return false;
    return true;
}

bool parse(std::istream& in, Reader& r, qv::Parameters& p) {
    bool seen_table[qv::MAN_TABLE_COUNT] = {};
    bool seen_tempo[qv::MAN_TABLE_COUNT] = {};
    int table = -1, table_row = 0;
    for (std::string line; std::getline(in, line);) {
        ++r.line_number;
        const auto t = tokens_of(line);
        if (t.empty()) continue;
        if (table >= 0) {  // row table_row from the top: entries 29 - 4 row .. 32 - 4 row
            if (t.size() != 4) return r.fail("a table row holds 4 values");
            for (int k = 0; k < 4; ++k)
                if (!to_value(r, t[k], p.man_tables[table][29 - 4 * table_row + k])) return false;
            if (++table_row == 8) table = -1;
            continue;
        }
        const std::string& key = t[0];
        bool ok = true;
        if (key == "table" || key == "tempo") {
            const int i = t.size() >= 2 ? table_index(t[1]) : -1;
            if (i < 0) return r.fail("unknown table name");
            bool* seen = key == "table" ? seen_table : seen_tempo;
            if (seen[i]) return r.fail("given twice: " + t[1]);
            seen[i] = true;
            if (key == "table") {
                if (t.size() != 2) return r.fail("table NAME, then 8 rows");
                table = i;
                table_row = 0;
            } else {
                ok =
                    t.size() == 3 ? to_value(r, t[2], p.tempo_coef[i]) : r.fail("tempo NAME VALUE");
            }
        } else if (key == "opening_threshold") {
            ok = read_values(r, t, &p.opening_threshold, 1);
        } else if (key == "middle_threshold") {
            ok = read_values(r, t, &p.middle_threshold, 1);
        } else if (key == "prefinal_threshold") {
            ok = read_values(r, t, &p.prefinal_threshold, 1);
        } else if (key == "variant1_white_squares") {
            ok = read_values(r, t, p.variant1_white_squares, 7);
        } else if (key == "variant1_black_squares") {
            ok = read_values(r, t, p.variant1_black_squares, 7);
        } else if (key == "variant2_white_squares") {
            ok = read_values(r, t, p.variant2_white_squares, 7);
        } else if (key == "variant2_black_squares") {
            ok = read_values(r, t, p.variant2_black_squares, 7);
        } else {
            return r.fail("unknown key " + key);
        }
        if (!ok) return false;
    }
    if (table >= 0) return r.fail("table cut short");
    for (int i = 0; i < qv::MAN_TABLE_COUNT; ++i) {
        if (!seen_table[i]) return r.fail(std::string("missing table ") + TABLE_NAMES[i]);
        if (!seen_tempo[i]) return r.fail(std::string("missing tempo ") + TABLE_NAMES[i]);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_params SOURCE.txt OUTPUT.par\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    Reader r{argv[1]};
    qv::Parameters p;
    if (!parse(in, r, p)) return 1;
    qv::params = p;
    return qv::save_parameters(argv[2]) ? 0 : 1;
}
