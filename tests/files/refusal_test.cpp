// A save that cannot be made says so and loses nothing: onto a full disk (the file layer's
// write fails half way), into a missing folder or a read-only one, every writer reports
// failure, the error box is raised by those that raise it, the previous file is intact and
// no temporary file is left. (The writers that raise no box leave it to the window, which
// does.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "board/file_io.h"
#include "files/save_kinds.h"
#include "files/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::names_in;
using test::SaveKind;

// A disk that fills up half way through the write.
bool disk_full(std::FILE* f, std::string_view data) {
    std::fwrite(data.data(), 1, data.size() / 2, f);
    return false;
}

class Refusal : public ::testing::TestWithParam<SaveKind> {
  protected:
    test::CountingHost host_;
    test::TempDir temp;
    void SetUp() override {
        set_host(&host_);
        test::prepare_save_kinds();
    }
    void TearDown() override {
        set_write_bytes(nullptr);
        set_host(nullptr);
    }
    // The error box was raised once by writers that raise it, never by the others.
    void expect_reported() {
        const SaveKind& kind = GetParam();
        EXPECT_EQ(host_.errors, kind.reports_error ? 1 : 0) << kind.name;
        if (kind.reports_error) {
            EXPECT_EQ(host_.last, Msg::CANNOT_OPEN_FILE) << kind.name;
        }
        host_.errors = 0;
    }
};

TEST_P(Refusal, FullDiskKeepsThePreviousFile) {
    const SaveKind& kind = GetParam();
    ASSERT_TRUE(kind.save(0, temp.path()));
    const std::vector<std::string> files = names_in(temp.path());
    const std::string before = temp.get(kind.file);

    set_write_bytes(disk_full);
    EXPECT_FALSE(kind.save(1, temp.path())) << kind.name;
    set_write_bytes(nullptr);
    expect_reported();
    EXPECT_EQ(temp.get(kind.file), before) << kind.name;
    EXPECT_EQ(names_in(temp.path()), files) << kind.name << ": a temporary file is left";

    // With room again the same save goes through.
    EXPECT_TRUE(kind.save(1, temp.path())) << kind.name;
    EXPECT_NE(temp.get(kind.file), before) << kind.name;
}

TEST_P(Refusal, MissingFolderIsNotCreated) {
    const SaveKind& kind = GetParam();
    const fs::path absent = temp.path() / "absent";
    EXPECT_FALSE(kind.save(1, absent)) << kind.name;
    expect_reported();
    EXPECT_FALSE(fs::exists(absent)) << kind.name;
    EXPECT_TRUE(names_in(temp.path()).empty()) << kind.name;
}

TEST_P(Refusal, ReadOnlyFolderKeepsThePreviousFile) {
    const SaveKind& kind = GetParam();
    ASSERT_TRUE(kind.save(0, temp.path()));
    const std::vector<std::string> files = names_in(temp.path());
    const std::string before = temp.get(kind.file);
    // Readable and searchable by all, writable by its owner alone; root writes into it all
    // the same, so the save is made by a child that has given up root.
    fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
    if (geteuid() == 0) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(9);
            const bool saved = kind.save(1, temp.path());
            const bool reported = host_.errors == (kind.reports_error ? 1 : 0);
            _exit((saved ? 1 : 0) | (reported ? 0 : 2));
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 9) << "cannot give up root";
        EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << kind.name << ": the save claims success";
        EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << kind.name << ": wrong error boxes";
    } else {
        fs::permissions(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(kind.save(1, temp.path())) << kind.name;
        expect_reported();
        fs::permissions(temp.path(), fs::perms::owner_all);
    }
    EXPECT_EQ(temp.get(kind.file), before) << kind.name;
    EXPECT_EQ(names_in(temp.path()), files) << kind.name;
}

INSTANTIATE_TEST_SUITE_P(EveryRewrittenFile, Refusal, ::testing::ValuesIn(test::save_kinds()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
