#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "app/cli/selfplay_match.h"

namespace qv::cli {
namespace {

// One line per game on a pipe: index, winner, plies, reason, then the moves.
std::string serialise(const GameResult& r) {
    return std::to_string(r.index) + " " + std::to_string(r.winner) + " " +
           std::to_string(r.plies) + " " + std::to_string(static_cast<int>(r.reason)) + " " +
           (r.fen.empty() ? "-" : r.fen) + " " + r.moves + "\n";
}

bool deserialise(const std::string& line, GameResult& r) {
    int reason = 0, used = 0;
    char fen[256] = {};
    if (std::sscanf(line.c_str(), "%ld %d %d %d %255s %n", &r.index, &r.winner, &r.plies, &reason,
                    fen, &used) < 5)
        return false;
    r.reason = static_cast<EndReason>(reason);
    r.fen = std::strcmp(fen, "-") == 0 ? "" : fen;
    r.moves = line.substr(static_cast<size_t>(used));
    return true;
}

}  // namespace

void play_share(const Match& match, long w, long n, const GameDone& done) {
    CliHost cli_host;
    set_host(&cli_host);
    for (long k = w; k < match.games; k += n) done(play_game(match, k, cli_host));
    set_host(&text_host());
}

bool play_in_processes(const Match& match, const GameDone& done) {
    std::vector<int> fds;
    std::vector<pid_t> children;
    for (long w = 0; w < match.concurrency; ++w) {
        int p[2];
        if (pipe(p) != 0) break;
        std::fflush(stdout);
        const pid_t pid = fork();
        if (pid == 0) {
            close(p[0]);
            for (int fd : fds) close(fd);
            play_share(match, w, match.concurrency, [&](const GameResult& r) {
                const std::string line = serialise(r);
                size_t at = 0;
                while (at < line.size()) {
                    const ssize_t put = write(p[1], line.data() + at, line.size() - at);
                    if (put <= 0) _exit(1);
                    at += static_cast<size_t>(put);
                }
            });
            _exit(0);
        }
        close(p[1]);
        if (pid < 0) {
            close(p[0]);
            break;
        }
        fds.push_back(p[0]);
        children.push_back(pid);
    }
    long received = 0;
    std::vector<std::string> pending(fds.size());
    std::vector<bool> open(fds.size(), true);
    size_t open_count = fds.size();
    while (open_count > 0) {
        std::vector<pollfd> polled;
        std::vector<size_t> which;
        for (size_t i = 0; i < fds.size(); ++i)
            if (open[i]) {
                polled.push_back({fds[i], POLLIN, 0});
                which.push_back(i);
            }
        if (poll(polled.data(), polled.size(), -1) < 0) continue;
        for (size_t j = 0; j < polled.size(); ++j) {
            if (!(polled[j].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const size_t i = which[j];
            char buf[4096];
            const ssize_t got = read(fds[i], buf, sizeof buf);
            if (got <= 0) {
                open[i] = false;
                --open_count;
                close(fds[i]);
                continue;
            }
            pending[i].append(buf, static_cast<size_t>(got));
            for (size_t nl; (nl = pending[i].find('\n')) != std::string::npos;) {
                GameResult r;
                if (deserialise(pending[i].substr(0, nl), r)) {
                    done(r);
                    ++received;
                }
                pending[i].erase(0, nl + 1);
            }
        }
    }
    bool ok = children.size() == static_cast<size_t>(match.concurrency);
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok && received == match.games;
}

}  // namespace qv::cli
