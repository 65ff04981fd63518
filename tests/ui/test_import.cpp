// "Ouvrir un fichier texte" with PDN that cannot be imported: the message names the game,
// the move number and the move; the game in hand stays.
#include <QFile>
#include <QTemporaryDir>

#include "window_fixture.h"

namespace qv::ui::test {
namespace {

TEST_F(WindowTest, IllegalPdnMoveIsNamedAndTheGameInHandStays) {
    start_2d();
    play_a_move();
    const int plies = game.last_ply;
    const std::vector<std::string> lines = game.list_lines;
    uint8_t before[33];
    std::memcpy(before, board, sizeof before);
    QTemporaryDir dir;
    platform.next_file = dir.filePath("club.pdn");
    QFile f(platform.next_file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[White \"Anna\"]\r\n[Black \"Bruno\"]\r\n\r\n"
        "1. 23-19 10-14 2. 19x10 5x14 3. 22-19 14x23 4. 27x18 12-15 *\r\n");
    f.close();
    trigger("Ouvrirunfichiertexte1");
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(platform.errors[0],
              QString::fromUtf8("Partie 0, coup 4 : 27x18 n'est pas un coup légal"));
    EXPECT_EQ(game.last_ply, plies);
    EXPECT_EQ(game.list_lines, lines);
    EXPECT_EQ(std::memcmp(board + 1, before + 1, 32), 0);
    EXPECT_NE(label("Nom_blanc")->text(), "Anna");
}

}  // namespace
}  // namespace qv::ui::test
