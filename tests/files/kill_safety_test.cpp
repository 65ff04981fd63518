// A save killed at any moment leaves the complete old file or the complete new one: a child
// process saves two versions in turn without end and is killed (SIGKILL) at seeded random
// moments; after each kill the file must be one of the two versions, and the next save must
// leave no temporary file behind. Several kill loops run side by side, each in a folder of
// its own, so that the waits for new processes overlap.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "files/save_kinds.h"
#include "files/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::names_in;
using test::SaveKind;

constexpr int KILLS = 200;  // per kind of file
constexpr int SLOTS = 8;    // kill loops side by side, KILLS / SLOTS kills each

void sleep_us(long us) {
    timespec ts{us / 1000000, (us % 1000000) * 1000};
    nanosleep(&ts, nullptr);
}

// A small process of its own, forked before the test saves anything, that forks the saving
// children and makes the saves that follow the kills in its folder: a fork copies the page
// tables of the process that forks, and the program's saves use process-wide state, so the
// loops side by side each need their own.
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
    // its process id, sent by the child itself as it begins its first save.
    pid_t start(int first) {
        long child = -1;
        return ask(static_cast<char>('0' + first), child) ? static_cast<pid_t>(child) : -1;
    }
    // Waits for that child's end: true when SIGKILL ended it.
    bool killed() {
        int status = 0;
        if (read(from_[0], &status, sizeof status) != sizeof status) return false;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }
    // One save of `version` by the program, in the factory's folder: how long it took in
    // microseconds (the children's saves take as long), -1 when it failed.
    long save(int version) {
        long us = -1;
        return ask(static_cast<char>('s' + version), us) ? us : -1;
    }

  private:
    bool ask(char command, long& answer) {
        return write(to_[1], &command, 1) == 1 &&
               read(from_[0], &answer, sizeof answer) == sizeof answer;
    }
    [[noreturn]] void serve(const SaveKind& kind, const fs::path& dir) {
        char c;
        while (read(to_[0], &c, 1) == 1) {
            if (c == 's' || c == 't') {
                const auto t0 = std::chrono::steady_clock::now();
                const bool saved = kind.save(c - 's', dir);
                const long us = std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::steady_clock::now() - t0)
                                    .count();
                const long answer = saved ? us : -1;
                if (write(from_[1], &answer, sizeof answer) != sizeof answer) _exit(1);
                continue;
            }
            const pid_t child = fork();
            if (child == 0) {
                const long self = getpid();
                if (write(from_[1], &self, sizeof self) != sizeof self) _exit(1);
                for (int v = c - '0';; v ^= 1)
                    if (!kind.save(v, dir)) _exit(3);
            }
            if (child < 0) _exit(1);
            int status = 0;
            waitpid(child, &status, 0);
            if (write(from_[1], &status, sizeof status) != sizeof status) _exit(1);
        }
        _exit(0);
    }
    int to_[2] = {-1, -1}, from_[2] = {-1, -1};
    pid_t pid_ = -1;
};

// Both versions of every file one save writes (the players' save writes the ratings too).
struct Versions {
    std::vector<std::string> files;
    std::map<std::string, std::string> content[2];
    // The version of the kind's own file in `dir`; -1 (and a failure) when any file there
    // is neither version.
    int on_disk(const test::TempDir& dir, const SaveKind& kind, int kill) const {
        int version = -1;
        for (const std::string& f : files) {
            const std::string bytes = dir.get(f);
            const int v = bytes == content[0].at(f) ? 0 : bytes == content[1].at(f) ? 1 : -1;
            EXPECT_NE(v, -1) << kind.name << ": after kill " << kill << " " << f << " holds "
                             << bytes.size() << " bytes, neither version";
            if (v < 0) return -1;
            if (f == kind.file) version = v;
        }
        return version;
    }
};

struct Slot {
    test::TempDir dir;
    std::unique_ptr<SaverFactory> savers;
    int seen[2] = {0, 0}, with_temp = 0, kills = 0;
};

void kill_loop(const SaveKind& kind, const Versions& versions, Slot& slot, unsigned seed) {
    std::mt19937 rng(seed);
    int on_disk = 1;
    // How long a save takes now, so that the kills spread over the child's first two saves
    // and the start of its third however busy the machine is.
    long save_us = slot.savers->save(on_disk);
    ASSERT_GE(save_us, 0) << kind.name;
    for (int k = 0; k < KILLS / SLOTS; ++k) {
        // The child first saves the version that is not on disk, so that a save it
        // completes shows.
        const pid_t child = slot.savers->start(1 - on_disk);
        ASSERT_GT(child, 0);
        sleep_us(static_cast<long>(rng() % static_cast<unsigned>(5 * save_us / 2 + 20)));
        kill(child, SIGKILL);
        ASSERT_TRUE(slot.savers->killed()) << kind.name << ": the saving child stopped by itself";
        ++slot.kills;

        on_disk = versions.on_disk(slot.dir, kind, k);
        ASSERT_GE(on_disk, 0);
        ++slot.seen[on_disk];
        if (names_in(slot.dir.path()).size() > versions.files.size()) ++slot.with_temp;
        // The next save cleans up whatever the killed one left.
        save_us = slot.savers->save(on_disk);
        ASSERT_GE(save_us, 0) << kind.name;
        ASSERT_EQ(names_in(slot.dir.path()), versions.files)
            << kind.name << ": a temporary file is left";
    }
}

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
    Slot slots[SLOTS];
    for (Slot& slot : slots) {
        slot.savers = std::make_unique<SaverFactory>(kind, slot.dir.path());
        ASSERT_TRUE(slot.savers->ready());
    }
    Versions versions;
    {
        test::TempDir dirs[2];
        for (int v = 0; v < 2; ++v) ASSERT_TRUE(kind.save(v, dirs[v].path()));
        versions.files = names_in(dirs[0].path());
        ASSERT_EQ(versions.files, names_in(dirs[1].path()));
        for (int v = 0; v < 2; ++v)
            for (const std::string& f : versions.files) versions.content[v][f] = dirs[v].get(f);
    }
    ASSERT_NE(versions.content[0][kind.file], versions.content[1][kind.file]);

    std::vector<std::thread> loops;
    for (int i = 0; i < SLOTS; ++i)
        loops.emplace_back(kill_loop, std::cref(kind), std::cref(versions), std::ref(slots[i]),
                           20261207u + 97u * unsigned(kind.name[0]) + unsigned(i));
    for (std::thread& t : loops) t.join();

    int kills = 0, seen[2] = {0, 0}, with_temp = 0;
    for (const Slot& slot : slots) {
        kills += slot.kills;
        seen[0] += slot.seen[0];
        seen[1] += slot.seen[1];
        with_temp += slot.with_temp;
    }
    EXPECT_EQ(kills, KILLS);
    // Both versions were on disk at some kill: the children really saved in between.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    std::printf("%s: %d kills, old/new version on disk %d/%d, killed mid-save %d times\n",
                kind.name, kills, seen[0], seen[1], with_temp);
    RecordProperty("kills", kills);
    RecordProperty("killed_mid_save", with_temp);
}

INSTANTIATE_TEST_SUITE_P(EveryRewrittenFile, KillSafety, ::testing::ValuesIn(test::save_kinds()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
