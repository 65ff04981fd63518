// egdb_gen DIR: solves the 19 endgame tables and writes them into DIR.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "eval/egdb_store.h"
#include "solve.h"

namespace {

// Written beside its final name, then renamed over it.
bool write_table(const std::filesystem::path& dir, const qv::EndgameTables& tables, int t) {
    const qv::TableLayout& layout = qv::TABLE_LAYOUTS[t];
    const std::filesystem::path path = dir / layout.name;
    std::filesystem::path temp = path;
    temp += ".tmp";
    std::FILE* f = std::fopen(temp.string().c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "egdb_gen: cannot write %s\n", temp.string().c_str());
        return false;
    }
    const size_t size = static_cast<size_t>(layout.size);
    const bool ok = std::fwrite(tables.table(t), 1, size, f) == size;
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "egdb_gen: writing %s failed\n", temp.string().c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::fprintf(stderr, "egdb_gen: cannot rename %s: %s\n", temp.string().c_str(),
                     ec.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: egdb_gen DIR\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    auto tables = std::make_unique<qv::EndgameTables>();
    std::string error;
    if (!qv::egdb::solve_all(*tables, error)) {
        std::fprintf(stderr, "egdb_gen: %s\n", error.c_str());
        return 1;
    }
    const std::filesystem::path dir = argv[1];
    for (int t = 0; t < qv::ENDGAME_TABLE_COUNT; ++t) {
        if (!write_table(dir, *tables, t)) return 1;
        int longest = 0;
        const int8_t* bytes = tables->table(t);
        for (int i = 0; i < qv::TABLE_LAYOUTS[t].size; ++i)
            if (bytes[i] > longest) longest = bytes[i];
        std::printf("%-10s longest win %3d plies\n", qv::TABLE_LAYOUTS[t].name, longest);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("endgame tables solved and written in %.2f s\n", seconds);
    return 0;
}
