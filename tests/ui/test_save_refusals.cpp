// Saves from the window onto a full disk: the error box in the interface language, and the
// file saved before is still there, whole.
#include <QLineEdit>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "board/file_io.h"
#include "common/languages.h"
#include "lang/messages.h"
#include "program_dir_fixture.h"

namespace qv::ui::test {
namespace {

namespace fs = std::filesystem;

// The disk fills up half way through the write.
bool disk_full(std::FILE* f, std::string_view data) {
    std::fwrite(data.data(), 1, data.size() / 2, f);
    return false;
}

class SaveRefusalTest : public ProgramDirTest {
  public:
    // For the table of save commands below.
    using WindowTest::button;
    using WindowTest::platform;
    using WindowTest::trigger;
    using WindowTest::window;

  protected:
    void TearDown() override {
        set_write_bytes(nullptr);
        ProgramDirTest::TearDown();
    }
    std::vector<std::string> files() {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(program_dir()))
            if (e.is_regular_file()) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

// A save command of the window, and the file it writes in the program's directory.
struct WindowSave {
    const char* name;
    const char* file;
    void (*run)(SaveRefusalTest& t, int version);
};

TEST_F(SaveRefusalTest, EverySaveCommandReportsAFullDiskAndKeepsTheOldFile) {
    write_players("Quorvel\r\nAnna\r\n", "2050\r\n1800\r\n");
    start_2d();
    play_a_move();
    const WindowSave saves[] = {
        {"save game", "partie.dam",
         [](SaveRefusalTest& t, int) {
             t.platform.next_file = QString::fromStdString((program_dir() / "partie.dam").string());
             t.trigger("Sauver1");
         }},
        {"text file", "partie.txt",
         [](SaveRefusalTest& t, int) {
             t.platform.next_file = QString::fromStdString((program_dir() / "partie.txt").string());
             t.trigger("Crerunfichiertexte1");
         }},
        {"parameters", "essai.par",
         [](SaveRefusalTest& t, int) {
             t.platform.next_file = QString::fromStdString((program_dir() / "essai.par").string());
             t.trigger("Sauverlesparamtres1");
         }},
        {"best moves", "Bestmove.txt",
         [](SaveRefusalTest& t, int) {
             t.button("Button9")->click();  // "Editer coups" on the Calcul page
             t.window->run_until_idle();
         }},
        {"new player", "joueurs.dat",
         [](SaveRefusalTest& t, int version) {
             t.trigger("Match21");
             t.window->findChild<QLineEdit*>("Joueur")->setText(version ? "Bruno" : "Carla");
             QTest::mouseClick(t.button("BitBtn7"), Qt::LeftButton);
             t.window->run_until_idle();
         }},
        {"quit", "last32.dam", [](SaveRefusalTest& t, int) { t.trigger("Quitter1"); }},
    };
    for (const WindowSave& s : saves) {
        SCOPED_TRACE(s.name);
        platform.errors.clear();
        s.run(*this, 0);
        ASSERT_TRUE(platform.errors.isEmpty());
        const std::string before = slurp(program_dir() / s.file);
        ASSERT_FALSE(before.empty());
        const std::vector<std::string> listed = files();

        set_write_bytes(disk_full);
        play_a_move();  // something new to save
        s.run(*this, 1);
        set_write_bytes(nullptr);
        EXPECT_EQ(platform.errors,
                  QStringList{QString::fromUtf8(message(Msg::CANNOT_OPEN_FILE, 0))});
        EXPECT_EQ(slurp(program_dir() / s.file), before);
        EXPECT_EQ(files(), listed) << "a temporary file is left";
    }
}

TEST_F(SaveRefusalTest, TheErrorBoxSpeaksTheInterfaceLanguage) {
    start_2d();
    platform.next_file = QString::fromStdString((program_dir() / "partie.dam").string());
    QStringList seen;
    for (int language = 0; language < 6; ++language) {
        trigger(qv::test::LANGUAGE_TABLE[language].item);
        platform.errors.clear();
        set_write_bytes(disk_full);
        trigger("Sauver1");
        set_write_bytes(nullptr);
        ASSERT_EQ(platform.errors.size(), 1) << qv::test::LANGUAGE_TABLE[language].item;
        EXPECT_EQ(platform.errors[0], QString::fromUtf8(message(Msg::CANNOT_OPEN_FILE, language)));
        EXPECT_EQ(platform.error_title, QString::fromUtf8(message(Msg::ERROR_TITLE, language)));
        seen << platform.errors[0];
        EXPECT_FALSE(fs::exists(program_dir() / "partie.dam"));
    }
    seen.removeDuplicates();
    EXPECT_EQ(seen.size(), 6) << "one wording per language";
}

}  // namespace
}  // namespace qv::ui::test
