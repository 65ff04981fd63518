// A save killed at any moment leaves the complete old file or the complete new one: a child
// process saves two versions in turn without end and is killed (SIGKILL) at seeded random
// moments; after each kill (and what the next start does) the files must be all of one of
// the two versions, and the next save must leave no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>

#include "files/save_kinds.h"
#include "files/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::names_in;
using test::SaveKind;

constexpr int KILLS = 200;

void sleep_us(long us) {
    timespec ts{us / 1000000, (us % 1000000) * 1000};
    nanosleep(&ts, nullptr);
}

// Forks the saving children from a small process of its own, started before the test saves
// anything: a fork copies the page tables of the process that forks, and the test's own
// process grows with every save it makes (the sanitizer keeps freed memory aside).
class SaverFactory {
  public:
    SaverFactory(const SaveKind& kind, const fs::path& dir) {
        if (pipe(to_) != 0 || pipe(from_) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(to_[1]);
            close(from_[0]);
            serve(kind, dir);
        }
        close(to_[0]);
        close(from_[1]);
    }
    ~SaverFactory() {
        close(to_[1]);  // the factory sees the end of its input and leaves
        close(from_[0]);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    bool ready() const { return pid_ > 0; }
    // A new child saving without end, `first` first and then the other version in turn;
    // its process id.
    pid_t start(int first) {
        pid_t child = -1;
        const char version = static_cast<char>('0' + first);
        if (write(to_[1], &version, 1) != 1 || read(from_[0], &child, sizeof child) != sizeof child)
            return -1;
        return child;
    }
    // Waits for that child's end: true when SIGKILL ended it.
    bool killed() {
        int status = 0;
        if (read(from_[0], &status, sizeof status) != sizeof status) return false;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

  private:
    [[noreturn]] void serve(const SaveKind& kind, const fs::path& dir) {
        char c;
        while (read(to_[0], &c, 1) == 1) {
            const pid_t child = fork();
            if (child == 0)
                for (int v = c - '0';; v ^= 1)
                    if (!kind.save(v, dir)) _exit(3);
            if (write(from_[1], &child, sizeof child) != sizeof child) _exit(1);
            int status = 0;
            waitpid(child, &status, 0);
            if (write(from_[1], &status, sizeof status) != sizeof status) _exit(1);
        }
        _exit(0);
    }
    int to_[2] = {-1, -1}, from_[2] = {-1, -1};
    pid_t pid_ = -1;
};

class KillSafety : public ::testing::TestWithParam<SaveKind> {
  protected:
    test::CountingHost quiet;
    void SetUp() override {
        set_host(&quiet);
        test::prepare_save_kinds();
    }
    void TearDown() override { set_host(nullptr); }
};

TEST_P(KillSafety, KilledSaveLeavesOldOrNewFile) {
    const SaveKind& kind = GetParam();
    test::TempDir versions[2], temp;
    SaverFactory savers(kind, temp.path());
    ASSERT_TRUE(savers.ready());
    for (int v = 0; v < 2; ++v) ASSERT_TRUE(kind.save(v, versions[v].path()));
    // Every file one save writes (the players' save writes the ratings too).
    const std::vector<std::string> files = names_in(versions[0].path());
    ASSERT_EQ(files, names_in(versions[1].path()));
    std::map<std::string, std::string> content[2];
    for (int v = 0; v < 2; ++v)
        for (const std::string& f : files) content[v][f] = versions[v].get(f);
    ASSERT_NE(content[0][kind.file], content[1][kind.file]);

    // How long one save takes, so that the kills spread over the next few saves (and the
    // couple of milliseconds a new child needs before its first).
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(kind.save(i % 2, temp.path()));
    const long save_us = std::max<long>(1, std::chrono::duration_cast<std::chrono::microseconds>(
                                               std::chrono::steady_clock::now() - t0)
                                                   .count() /
                                               10);

    std::mt19937 rng(20261207u + static_cast<unsigned>(kind.name[0]));
    int seen[2] = {0, 0}, with_temp = 0;
    int on_disk_version = 1;  // the last save above
    // A loaded machine may start a child too late for any save to finish within the
    // window: after ten kills in a row that left the file as it was, the window doubles.
    long window_us = 3 * save_us + 2000;
    int unchanged = 0;
    for (int k = 0; k < KILLS; ++k) {
        // The child first saves the version that is not on disk, so that a save it
        // completes shows.
        const pid_t child = savers.start(1 - on_disk_version);
        ASSERT_GT(child, 0);
        sleep_us(static_cast<long>(rng() % static_cast<unsigned>(window_us)));
        kill(child, SIGKILL);
        ASSERT_TRUE(savers.killed()) << kind.name << ": the saving child stopped by itself";

        if (names_in(temp.path()).size() > files.size()) ++with_temp;
        if (kind.reopen) kind.reopen(temp.path());
        // Files written together are all of one version.
        int v = -1;
        for (const std::string& f : files) {
            const std::string on_disk = temp.get(f);
            const int fv = on_disk == content[0][f] ? 0 : on_disk == content[1][f] ? 1 : -1;
            ASSERT_NE(fv, -1) << kind.name << ": after kill " << k << " " << f << " holds "
                              << on_disk.size() << " bytes, neither version";
            if (v < 0) v = fv;
            ASSERT_EQ(fv, v) << kind.name << ": after kill " << k << " " << f
                             << " is of the other version";
        }
        ++seen[v];
        unchanged = v == on_disk_version ? unchanged + 1 : 0;
        if (unchanged >= 10 && window_us < 1000000) {
            window_us *= 2;
            unchanged = 0;
        }
        on_disk_version = v;

        // The next save cleans up whatever the killed one left.
        ASSERT_TRUE(kind.save(v, temp.path()));
        ASSERT_EQ(names_in(temp.path()), files) << kind.name << ": a temporary file is left";
    }
    // Both versions were on disk at some kill: the child really saved in between.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    std::printf("%s: %d kills, old/new version on disk %d/%d, killed mid-save %d times\n",
                kind.name, KILLS, seen[0], seen[1], with_temp);
    RecordProperty("kills", KILLS);
    RecordProperty("killed_mid_save", with_temp);
}

INSTANTIATE_TEST_SUITE_P(EveryRewrittenFile, KillSafety, ::testing::ValuesIn(test::save_kinds()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
