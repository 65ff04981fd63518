// perfect_gen DIR PIECES: solves the perfect-play tables of 2..PIECES pieces into DIR.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "eval/perfect_solve.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[2]) < 2 || std::atoi(argv[2]) > qv::PERFECT_MAX_PIECES) {
        std::fprintf(stderr, "usage: perfect_gen DIR PIECES (2..5)\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    auto set = std::make_unique<qv::PerfectSet>();
    std::string error;
    if (!qv::solve_and_write(*set, 2, std::atoi(argv[2]), argv[1], false, nullptr, error)) {
        std::fprintf(stderr, "perfect_gen: %s\n", error.c_str());
        return 1;
    }
    uint64_t bytes = 0;
    for (const auto& t : set->tables) bytes += t.size();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("perfect-play tables to %s pieces: %llu entries, solved in %.2f s\n", argv[2],
                static_cast<unsigned long long>(bytes), seconds);
    return 0;
}
