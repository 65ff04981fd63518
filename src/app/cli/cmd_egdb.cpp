// egdb verify [DIR]: checks every entry of the 19 endgame tables against its moves and
// prints, per table, "name wins draws losses longest-win FEN-of-a-longest-win"; then the
// same for every perfect-play table found (in DIR/tables, or the program's and the user's
// table folders), and how the 19 agree with them.
// egdb build --pieces 5: solves the five-piece perfect-play tables into the user's folder.
// egdb status: which perfect-play tables the program has.
// egdb play ...: the engine from table positions against a perfect defender.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "board/board.h"
#include "board/data_dir.h"
#include "board/fen.h"
#include "eval/egdb_store.h"
#include "eval/egdb_verify.h"
#include "eval/perfect_solve.h"
#include "eval/perfect_verify.h"

namespace qv::cli {

int run_egdb_play(int argc, char** argv);

namespace {

namespace fs = std::filesystem;

int verify_nineteen(const EndgameTables& tables) {
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        TableSummary s;
        std::string error;
        if (!verify_table(tables, t, s, error)) {
            std::printf("%s inconsistent\n", TABLE_LAYOUTS[t].name);
            std::fprintf(stderr, "egdb verify: %s\n", error.c_str());
            return 1;
        }
        std::string fen = "-";
        uint8_t squares[33];
        if (s.longest_index >= 0 && position_of_entry(t, s.longest_index, squares))
            fen = write_fen(squares, WHITE);
        std::printf("%s %d %d %d %d %s\n", TABLE_LAYOUTS[t].name, s.wins, s.draws, s.losses,
                    s.longest_win, fen.c_str());
        std::fflush(stdout);
    }
    return 0;
}

// Reads every perfect table that `dirs` hold into `set`; returns how many.
int read_perfect(const fs::path* dirs, int dir_count, PerfectSet& set) {
    int found = 0;
    for (const Material& m : all_materials()) {
        for (int d = 0; d < dir_count; ++d) {
            if (read_perfect_table(dirs[d], m, set.tables[material_key(m)]) == TableFileState::ok) {
                ++found;
                break;
            }
        }
    }
    return found;
}

int verify_perfect_tables(const EndgameTables& nineteen, const fs::path* dirs, int dir_count) {
    auto set = std::make_unique<PerfectSet>();
    const int found = read_perfect(dirs, dir_count, *set);
    const auto start = std::chrono::steady_clock::now();
    uint64_t positions = 0;
    for (const Material& m : all_materials()) {
        if (!set->has(m)) continue;
        PerfectSummary s;
        std::string error;
        if (!verify_perfect(*set, m, s, error)) {
            std::printf("%s inconsistent\n", material_name(m).c_str());
            std::fprintf(stderr, "egdb verify: %s\n", error.c_str());
            return 1;
        }
        positions += s.wins + s.draws + s.losses;
        uint8_t squares[33];
        const std::string fen = s.longest_win > 0 && perfect_position(m, s.longest_index, squares)
                                    ? write_fen(squares, WHITE)
                                    : "-";
        std::printf("%s %llu %llu %llu %d %s\n", material_name(m).c_str(),
                    static_cast<unsigned long long>(s.wins),
                    static_cast<unsigned long long>(s.draws),
                    static_cast<unsigned long long>(s.losses), s.longest_win, fen.c_str());
        std::fflush(stdout);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("perfect-play tables: %d verified, %llu positions, both colours, in %.1f s\n",
                found, static_cast<unsigned long long>(positions), seconds);
    bool small_whole = true;
    for (const Material& m : all_materials())
        if (m.pieces() < PERFECT_MAX_PIECES && !set->has(m)) small_whole = false;
    if (!small_whole) return 0;
    const Correspondence c = compare_with_nineteen(nineteen, *set);
    std::printf("the 19 tables: %llu positions, %llu the same outcome and length, %llu not\n",
                static_cast<unsigned long long>(c.positions),
                static_cast<unsigned long long>(c.same), static_cast<unsigned long long>(c.other));
    if (c.other > 0) {
        std::fprintf(stderr, "egdb verify: %s\n", c.first_other.c_str());
        return 1;
    }
    return 0;
}

int run_verify(int argc, char** argv) {
    if (argc > 1) return usage("egdb");
    const fs::path dir = argc == 1 ? fs::path(argv[0]) : program_dir();
    auto tables = std::make_unique<EndgameTables>();
    if (load_tables_from(dir, *tables) != ENDGAME_TABLE_COUNT) {
        std::fprintf(stderr, "egdb verify: not every table could be read from %s\n",
                     dir.string().c_str());
        return 1;
    }
    if (verify_nineteen(*tables) != 0) return 1;
    if (argc == 1) {
        const fs::path in_dir = dir / "tables";
        return verify_perfect_tables(*tables, &in_dir, 1);
    }
    const fs::path dirs[2] = {program_tables_dir(), user_tables_dir()};
    return verify_perfect_tables(*tables, dirs, dirs[0] == dirs[1] ? 1 : 2);
}

// "mmkvk  1234567/9549120 positions  pieces 5: 12% done, about 3 min left"
class BuildProgress {
  public:
    explicit BuildProgress(uint64_t total) : total_(total), start_(clock::now()) {}
    void report(const Material& m, uint64_t done, uint64_t of) {
        if (!(m == current_)) {
            finished_ += current_total_;
            current_ = m;
            current_total_ = of;
        }
        const uint64_t all_done = finished_ + done;
        const double seconds = std::chrono::duration<double>(clock::now() - start_).count();
        const double left =
            all_done > 0 ? seconds * static_cast<double>(total_ - std::min(all_done, total_)) /
                               static_cast<double>(all_done)
                         : 0;
        std::printf("\r%-8s %10llu/%llu positions  %3d%% done, about %.0f min left   ",
                    material_name(m).c_str(), static_cast<unsigned long long>(done / 2),
                    static_cast<unsigned long long>(of / 2),
                    static_cast<int>(100.0 * all_done / static_cast<double>(total_)), left / 60);
        std::fflush(stdout);
    }

  private:
    using clock = std::chrono::steady_clock;
    uint64_t total_;
    clock::time_point start_;
    Material current_;
    uint64_t current_total_ = 0;
    uint64_t finished_ = 0;
};

int run_build(int argc, char** argv) {
    long pieces = 0;
    OptionParser p("egdb build");
    p.whole("pieces", 2, PERFECT_MAX_PIECES, pieces);
    if (!p.parse(argc, argv, 0, 0)) return usage("egdb");
    if (!p.given("pieces")) {
        p.fail("--pieces is needed");
        return usage("egdb");
    }
    auto set = std::make_unique<PerfectSet>();
    const fs::path small_dir = program_tables_dir();
    const fs::path out = user_tables_dir();
    read_perfect(&small_dir, 1, *set);
    read_perfect(&out, 1, *set);  // an interrupted build goes on where it stopped
    uint64_t total = 0;
    for (const Material& m : all_materials())
        if (m.pieces() <= pieces && !set->has(m)) total += 2ull * table_entries(m);
    BuildProgress progress(total > 0 ? total : 1);
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    const bool ok = solve_and_write(
        *set, 2, static_cast<int>(pieces), out, true,
        [&](const Material& m, uint64_t done, uint64_t of) { progress.report(m, done, of); },
        error);
    std::printf("\n");
    if (!ok) {
        std::fprintf(stderr, "egdb build: %s\n", error.c_str());
        return 1;
    }
    uint64_t bytes = 0;
    for (const Material& m : all_materials())
        if (m.pieces() == pieces) bytes += sizeof(PerfectHeader) + table_entries(m);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("tables of %ld pieces in %s: %.1f MB, made in %.0f s\n", pieces,
                out.string().c_str(), bytes / 1e6, seconds);
    return 0;
}

const char* state_text(TableFileState s) {
    switch (s) {
        case TableFileState::ok:
            return "ok";
        case TableFileState::missing:
            return "missing";
        case TableFileState::bad_header:
            return "not a table of this material";
        case TableFileState::wrong_size:
            return "wrong size";
        case TableFileState::bad_checksum:
            return "damaged (checksum)";
    }
    return "?";
}

int run_status() {
    int have[PERFECT_MAX_PIECES + 1] = {}, all[PERFECT_MAX_PIECES + 1] = {};
    uint64_t bytes[PERFECT_MAX_PIECES + 1] = {};
    for (const Material& m : all_materials()) {
        const TableStatus s = table_status(m);
        ++all[m.pieces()];
        if (s.state == TableFileState::ok) {
            ++have[m.pieces()];
            bytes[m.pieces()] += sizeof(PerfectHeader) + s.header.entry_count;
            std::printf("%-8s %d pieces  longest win %3d plies  %s\n", material_name(m).c_str(),
                        m.pieces(), s.header.longest_win, s.dir.string().c_str());
        } else {
            std::printf("%-8s %d pieces  %s\n", material_name(m).c_str(), m.pieces(),
                        state_text(s.state));
        }
    }
    for (int n = 2; n <= PERFECT_MAX_PIECES; ++n)
        std::printf("%d pieces: %d of %d tables, %.1f MB\n", n, have[n], all[n], bytes[n] / 1e6);
    if (have[PERFECT_MAX_PIECES] < all[PERFECT_MAX_PIECES])
        std::printf("quorvel-cli egdb build --pieces 5 makes the five-piece tables in %s\n",
                    user_tables_dir().string().c_str());
    return 0;
}

int run_egdb(int argc, char** argv) {
    if (argc < 1) return usage("egdb");
    const std::string_view verb = argv[0];
    if (verb == "verify") return run_verify(argc - 1, argv + 1);
    if (verb == "build") return run_build(argc - 1, argv + 1);
    if (verb == "status" && argc == 1) return run_status();
    if (verb == "play") return run_egdb_play(argc - 1, argv + 1);
    return usage("egdb");
}

const Register reg({"egdb",
                    "egdb verify [DIR] | build --pieces 5 | status | play [--games N] "
                    "[--time S] [--drawn] [--seed N] [--cpu-time] [--no-tables]",
                    run_egdb});

}  // namespace
}  // namespace qv::cli
