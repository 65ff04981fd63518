// Text games and PDN: writing, reading, replaying.
#include <gtest/gtest.h>

#include "common/fen.h"
#include "files/temp_dir.h"
#include "files/text_game.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

class TextGames : public test::TempDirTest {};

// The positions of entries 0..last of the record.
std::vector<std::vector<uint8_t>> positions(int last) {
    std::vector<std::vector<uint8_t>> out;
    for (int p = 0; p <= last; ++p)
        out.emplace_back(game.game_record[p].squares + 1, game.game_record[p].squares + 33);
    return out;
}

bool load(const std::string& text, int g = 0) {
    TextGame tg;
    TextProblem why;
    if (!parse_text_game(text, g, tg, why) || !load_text_game(tg, 5000, why)) {
        ADD_FAILURE() << "error " << int(why.error) << " move " << why.move_number << " "
                      << why.text;
        return false;
    }
    return true;
}

// `text` loads into a fresh game whose record holds the positions `expected`.
void expect_replays(const std::string& text, const std::vector<std::vector<uint8_t>>& expected) {
    test::fresh_game();
    ASSERT_TRUE(load(text));
    EXPECT_EQ(game.last_ply, static_cast<int>(expected.size()) - 1);
    EXPECT_EQ(positions(game.last_ply), expected);
}

TEST_F(TextGames, WrittenAndReadBackUpToTheLastCompletePair) {
    test::fresh_game();
    game.white_name = "Mister X";
    game.black_name = "Quorvel";
    test::play_pseudo_random(37, 21);
    game.game_result = 0;
    const auto before = positions(36);
    ASSERT_TRUE(write_text_game(dir / "g.txt"));
    const std::string text = get("g.txt");
    EXPECT_EQ(text.rfind("Mister X-Quorvel  0-2\r\nQuorvel144\r\n", 0), 0u);
    std::string text2;
    ASSERT_TRUE(read_text_file(dir / "g.txt", text2));
    expect_replays(text2, before);
    EXPECT_EQ(game.white_name, "Mister X");
    EXPECT_EQ(game.black_name, "Quorvel");
    put("big.txt", text + std::string(TEXT_READ_LIMIT, '\n'));  // only the first bytes count
    ASSERT_TRUE(read_text_file(dir / "big.txt", text2));
    EXPECT_EQ(text2.size(), TEXT_READ_LIMIT);
}

TEST_F(TextGames, SeventhPlyWritesThreePairsFourToALine) {
    test::fresh_game();
    test::play_pseudo_random(7, 2);
    game.game_result = 3;
    const std::string text = text_game_bytes();
    // Header with a single blank, the tag line, then one line of three pairs.
    const size_t first = text.find("\r\n");
    EXPECT_EQ(text.substr(0, first), "Blanc-Noir ");
    const std::string moves = text.substr(text.find("Quorvel144\r\n") + 12);
    EXPECT_EQ(moves, game.list_lines[0] + "  " + game.list_lines[1] + "  " + game.list_lines[2] +
                         "  \r\n");
    test::play_pseudo_random(3, 4);  // ply 10: five pairs, a line of four and one of one
    const std::string ten = text_game_bytes();
    const std::string m10 = ten.substr(ten.find("Quorvel144\r\n") + 12);
    EXPECT_EQ(std::count(m10.begin(), m10.end(), '\n'), 2);
}

// The printout holds every move, the last half move too, six pairs to a row, and the start
// position only when it is not the usual one; its document is named after the game.
TEST_F(TextGames, PrintoutHoldsEveryMoveAndASetUpStart) {
    test::fresh_game();
    ASSERT_EQ(test::play_pseudo_random(15, 2), 15);  // eight lines, the last a half move
    Printout p = printout();
    EXPECT_EQ(p.heading, "Blanc-Noir");
    ASSERT_EQ(p.rows.size(), 2u);
    std::string all = p.rows[0] + p.rows[1];
    for (int ply = 1; ply <= 15; ++ply)
        EXPECT_NE(all.find(ply_move_text(ply)), std::string::npos) << "ply " << ply;
    EXPECT_FALSE(p.diagram);
    game.white_name = "Anna/B: \"x\"";
    EXPECT_EQ(game_document_name(), "Anna_B_ _x_-Noir");

    test::fresh_game();
    game.side_to_move = static_cast<uint8_t>(test::set_fen("B:WK30,21,22:B1,2,K9"));
    store_ply();
    p = printout();
    EXPECT_TRUE(p.diagram);
    EXPECT_EQ(p.start[square_of_label(30)], WHITE_KING);
    EXPECT_EQ(p.first_side, BLACK);
}

TEST_F(TextGames, ChoiceListOfThreeGames) {
    const std::string text =
        "Anna-Bruno  2-0\r\nQuorvel144\r\n 1.23-19 10-14  \r\n\r\n"
        "Carla-Dario\r\n 1.22-18 12-15  \r\n\r\n"
        "Eva-Quorvel  1-1\r\n 1.21-17 09-13  \r\n";
    const auto games = scan_text_games(text);
    ASSERT_EQ(games.size(), 3u);
    const auto lines = choice_lines(games);
    EXPECT_EQ(lines[0], " 0:Anna                Bruno               ");
    EXPECT_EQ(lines[1], " 1:Carla               Dario               ");
    EXPECT_EQ(lines[2], " 2:Eva                 Quorvel             ");
    test::fresh_game();
    ASSERT_TRUE(load(text, 1));
    EXPECT_EQ(game.white_name, "Carla");
    EXPECT_EQ(game.list_lines, std::vector<std::string>{" 1.22-18 12-15"});
    TextGame tg;
    TextProblem why;
    EXPECT_FALSE(parse_text_game(text, 3, tg, why));
    EXPECT_EQ(why.error, TextError::no_such_game);
    EXPECT_EQ(why.games, 3);
}

TEST_F(TextGames, LetterAndNumericSquaresReplayAlike) {
    test::fresh_game();
    test::play_pseudo_random(40, 77);
    const int last = game.last_ply;
    const auto expected = positions(last);
    std::string numeric = "A-B\n", letters = "A-B\n";
    for (int p = 1; p <= last; ++p) {
        const PlyRecord& e = game.game_record[p];
        if (p % 2 == 1) {
            numeric += std::to_string(p / 2 + 1) + ".";
            letters += std::to_string(p / 2 + 1) + ".";
        }
        const char sep = e.capture_count ? 'x' : '-';
        numeric += std::string(label(e.from)) + sep + label(e.to) + " ";
        letters += std::string(letter_square(e.from)) + sep + letter_square(e.to) + " ";
    }
    expect_replays(numeric, expected);
    expect_replays(letters, expected);
}

TEST_F(TextGames, CaptureChainsKeepOnlyTheLastSquare) {
    test::fresh_game();
    test::play_pseudo_random(60, 5);
    const int last = game.last_ply;
    const auto expected = positions(last);
    bool chain = false;
    std::string text = "A-B\n";
    for (int p = 1; p <= last; ++p) {
        const PlyRecord& e = game.game_record[p];
        if (p % 2 == 1) text += std::to_string(p / 2 + 1) + ". ";
        text += label(e.from);
        if (e.capture_count == 0) {
            text += std::string("-") + label(e.to);
        } else {
            // The landing squares, worked out from the two positions.
            Move m{};
            m.from = e.from;
            m.to = e.to;
            const PlyRecord& b = game.game_record[p - 1];
            for (int s = 1; s <= 32 && m.captures < 15; ++s)
                if (b.squares[s] != EMPTY && e.squares[s] == EMPTY && s != e.from)
                    m.taken[m.captures++] = static_cast<uint8_t>(s);
            if (m.captures == 1) {
                text += std::string("x") + label(e.to);
            } else {
                chain = true;
                // The squares between are read past: only the last one counts.
                for (int i = 0; i < m.captures; ++i) text += "x" + std::string(label(m.taken[i]));
                text += std::string("x") + label(e.to);
            }
        }
        text += " ";
    }
    expect_replays(text, expected);
    EXPECT_TRUE(chain) << "the sample game should hold a multiple capture";
}

TEST_F(TextGames, UnmatchedPlyIsSkippedWithoutChangingSides) {
    test::fresh_game();
    ASSERT_TRUE(load("A-B\n1.23-19 10-14 2.32-01 19x10\n"));
    EXPECT_EQ(game.last_ply, 3);
    EXPECT_EQ(game.list_lines, (std::vector<std::string>{" 1.23-19 10-14", " 2.19x10 "}));
}

TEST_F(TextGames, PdnRoundTripFromTheStartPosition) {
    test::fresh_game();
    game.white_name = "Jean-Pierre";  // a "-" that the plain header cannot hold
    game.black_name = "Quorvel";
    test::play_pseudo_random(45, 8);
    game.game_result = 2;
    const int last = game.last_ply;
    const auto expected = positions(last);
    const std::string pdn = pdn_bytes("2026.12.06");
    EXPECT_NE(pdn.find("[GameType \"22\"]"), std::string::npos);
    EXPECT_NE(pdn.find("[Result \"1-0\"]"), std::string::npos);
    EXPECT_EQ(pdn.find("[FEN"), std::string::npos);
    EXPECT_NE(pdn.find("\r\n\r\n1. "), std::string::npos);
    expect_replays(pdn, expected);
    EXPECT_EQ(game.white_name, "Jean-Pierre");
    EXPECT_EQ(game.black_name, "Quorvel");
}

TEST_F(TextGames, PdnWithFenAndBlackToMove) {
    test::fresh_game();
    game.side_to_move = static_cast<uint8_t>(test::set_fen("B:WK30,21,22:B1,2,K9"));
    store_ply();
    test::play_pseudo_random(12, 3);
    const int last = game.last_ply;
    ASSERT_GT(last, 4);
    const auto expected = positions(last);
    const std::string pdn = pdn_bytes("2026.12.06");
    EXPECT_NE(pdn.find("[FEN \"B:W21,22,K30:B1,2,K9\"]"), std::string::npos) << pdn;
    EXPECT_NE(pdn.find("1... "), std::string::npos);
    expect_replays(pdn, expected);
}

TEST_F(TextGames, AtMost250PliesAreImported) {
    std::string pdn = "[White \"A\"]\n[Black \"B\"]\n[FEN \"W:WK4:BK29\"]\n\n";
    // The kings go back and forth: 4-8 29-25 8-4 25-29 ...
    for (int n = 1; n <= 70; ++n)
        pdn += std::to_string(2 * n - 1) + ". 4-8 29-25 " + std::to_string(2 * n) + ". 8-4 25-29 ";
    test::fresh_game();
    ASSERT_TRUE(load(pdn));
    EXPECT_EQ(game.last_ply, MAX_IMPORT_PLIES);
}

}  // namespace
}  // namespace qv
