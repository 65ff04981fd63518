// Where the shipped data and the person's folder are found, and the person's folder made.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "board/data_dir.h"
#include "files/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct LayoutCase {
    const char* name;
    const char* exe;          // under the temporary folder
    const char* data_folder;  // made with the data in it
    const char* data_option;  // --data-dir, or nullptr
    const char* user_option;  // --user-dir, or nullptr
    const char* shipped;      // expected program_dir(), under the temporary folder
    const char* user;         // expected user_dir(); "xdg" for $XDG_DATA_HOME/quorvel
};

const LayoutCase LAYOUTS[] = {
    {"BuildTreeIsPortable", "bin/quorvel", "bin", nullptr, nullptr, "bin", "bin"},
    {"GamesLayout", "usr/games/quorvel", "usr/share/games/quorvel", nullptr, nullptr,
     "usr/share/games/quorvel", "xdg"},
    {"OrdinaryLayout", "usr/bin/quorvel", "usr/share/quorvel", nullptr, nullptr,
     "usr/share/quorvel", "xdg"},
    {"NamedWritableDataIsPortable", "usr/bin/quorvel", "mine", "mine", nullptr, "mine", "mine"},
    {"UserDirOption", "bin/quorvel", "bin", nullptr, "own", "bin", "own"},
};

class Layouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(Layouts, ChooseTheShippedDataAndThePersonsFolder) {
    const LayoutCase& c = GetParam();
    TempDir t;
    fs::create_directories(t / c.data_folder);
    std::ofstream(t / c.data_folder / "hashkey33.dat") << "keys";
    setenv("XDG_DATA_HOME", (t / "xdg").c_str(), 1);
    const fs::path kept = program_dir();
    const std::string data = c.data_option ? (t / c.data_option).string() : "";
    const std::string user = c.user_option ? (t / c.user_option).string() : "";
    locate_data_dirs(t / c.exe, c.data_option ? data.c_str() : nullptr,
                     c.user_option ? user.c_str() : nullptr);
    const fs::path shipped = program_dir(), own = user_dir();
    set_program_dir(kept);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(shipped, t / c.shipped);
    EXPECT_EQ(own, std::string(c.user) == "xdg" ? t / "xdg" / "quorvel" : t / c.user);
}

INSTANTIATE_TEST_SUITE_P(DataDir, Layouts, testing::ValuesIn(LAYOUTS),
                         [](const auto& info) { return std::string(info.param.name); });

// The person's folder on a path that cannot be made is refused; a default the shipped
// data lacks is named; the others are copied and reads find the copies first.
TEST(DataDir, PersonsFolderRefusedOrMadeWithTheDefaultsFound) {
    TempDir t;
    const fs::path kept = program_dir();
    fs::create_directories(t / "shipped");
    for (const char* f : {"joueurs.dat", "points.dat", "ouvert_b.ouv"})
        std::ofstream(t / "shipped" / f) << f;
    std::ofstream(t / "file") << "not a folder";
    std::vector<std::string> missing;
    set_program_dir(t / "shipped");
    set_user_dir(t / "file" / "quorvel");
    const bool refused = !prepare_user_dir(missing);
    set_user_dir(t / "home" / "quorvel");
    const bool made = prepare_user_dir(missing);
    const fs::path read = data_path("points.dat");
    set_program_dir(kept);
    EXPECT_TRUE(refused);
    ASSERT_TRUE(made);
    EXPECT_EQ(missing, std::vector<std::string>{"ouvert_n.ouv"});
    EXPECT_EQ(read, t / "home" / "quorvel" / "points.dat");
    EXPECT_EQ(fs::status(t / "home" / "quorvel").permissions(), fs::perms::owner_all);
}

}  // namespace
}  // namespace qv
