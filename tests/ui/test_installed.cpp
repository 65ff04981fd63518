// Where the window finds its data and keeps the person's files.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "board/data_dir.h"
#include "search/engine_start.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

// A folder that cannot be made, a data file found nowhere: each is a message box.
TEST_F(WindowTest, DataFolderProblemsAreShownInBoxes) {
    window->report_data_folders(true, {});
    EXPECT_TRUE(platform.errors.isEmpty());
    window->report_data_folders(false, {"ital.dat", "dod.chb"});
    ASSERT_EQ(platform.errors.size(), 2);
    EXPECT_TRUE(platform.errors[0].contains(QString::fromStdString(user_dir().string())));
    EXPECT_TRUE(platform.errors[1].contains("ital.dat, dod.chb"));
}

// Run by the install test, as an ordinary user, on an installed tree made read only
// (QUORVEL_INSTALLED_DATA: its shipped data): started as the program starts, the window
// finds every file, plays, and "Quitter" leaves the game in the person's folder.
class InstalledTree : public WindowTest {
  protected:
    void SetUp() override {
        const char* data = std::getenv("QUORVEL_INSTALLED_DATA");
        if (!data) GTEST_SKIP() << "run by the install test";
        saved_ = program_dir();
        std::string args[] = {"quorvel", "--data-dir", data};
        char* argv[] = {args[0].data(), args[1].data(), args[2].data(), nullptr};
        int argc = 3;
        init_program_dir(argc, argv);
        std::vector<std::string> missing;
        folder_made_ = prepare_user_dir(missing);
        missing_ = missing_data_files();
        missing_.insert(missing_.end(), missing.begin(), missing.end());
        WindowTest::SetUp();
    }
    void TearDown() override {
        if (!std::getenv("QUORVEL_INSTALLED_DATA")) return;
        WindowTest::TearDown();
        set_program_dir(saved_);
    }
    std::filesystem::path saved_;
    bool folder_made_ = false;
    std::vector<std::string> missing_;
};

TEST_F(InstalledTree, FirstStartPlaysAndQuitWritesTheResumeFileInThePersonsFolder) {
    window->report_data_folders(folder_made_, missing_);
    EXPECT_TRUE(platform.errors.isEmpty()) << platform.errors.join("\n").toStdString();
    EXPECT_NE(user_dir(), program_dir());
    start_2d();
    play_a_move();
    ASSERT_EQ(game.last_ply, 2);
    trigger("Quitter1");
    EXPECT_EQ(std::filesystem::file_size(user_dir() / "last32.dam"), 22442u);
    EXPECT_TRUE(std::filesystem::is_directory(user_dir() / "Sauve"));
}

}  // namespace
}  // namespace qv::ui::test
