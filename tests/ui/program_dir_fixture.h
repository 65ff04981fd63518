// A window with a program directory of its own, so that tests running beside these do not
// share the players files, the resume file or the saved games.
#pragma once

#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <filesystem>

#include "board/data_dir.h"
#include "common/state_guard.h"
#include "window_fixture.h"

namespace qv::ui::test {

class ProgramDirTest : public WindowTest {
  protected:
    void SetUp() override {
        set_program_dir(dir_.path().toStdString());
        WindowTest::SetUp();
    }
    // The players files of this directory.
    void write_players(const char* names, const char* ratings) {
        QFile n(QString::fromStdString((program_dir() / "joueurs.dat").string()));
        QFile r(QString::fromStdString((program_dir() / "points.dat").string()));
        ASSERT_TRUE(n.open(QIODevice::WriteOnly) && r.open(QIODevice::WriteOnly));
        n.write(names);
        r.write(ratings);
    }
    static std::string slurp(const std::filesystem::path& p) {
        QFile f(QString::fromStdString(p.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    // A rated match against the computer (Black) for player `line` of the players file.
    void start_rated_match(int line) {
        trigger("Nouveau2");
        window->findChild<QTabWidget*>("Pages_nouveau")->setCurrentIndex(1);
        window->findChild<QListWidget*>("ListBox9")->setCurrentRow(line);
        QTest::mouseClick(button("BitBtn16"), Qt::LeftButton);
        window->run_until_idle();
        ASSERT_EQ(game.game_state, RATED_MATCH);
    }
    qv::test::StateGuard guard_;
    QTemporaryDir dir_;
};

}  // namespace qv::ui::test
