// Runs quorvel-cli from the program's directory as a user would: standard output and the
// exit status (standard error is dropped, or with `errors` taken into the output).
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace qv::test {

struct CliRun {
    int status = -1;
    std::string out;
};

inline CliRun run_cli(const std::string& args, bool errors = false) {
    const std::string cmd = std::string(QUORVEL_DATA_DIR) + "/quorvel-cli " + args +
                            (errors ? " 2>&1" : " 2>/dev/null");
    CliRun r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(pipe);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

}  // namespace qv::test
