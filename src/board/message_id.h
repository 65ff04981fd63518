// Identifiers of the texts the program composes. The engine and game layers hand these
// (with their values) to the window or the command line, which word them in the
// interface language through the message catalogue (lang/messages.h).
#pragma once

#include <cstdint>

namespace qv {

enum class Msg : uint16_t {
    // End of the game.
    WHITE_WINS,
    BLACK_WINS,
    COMPUTER_WON,
    YOU_WON,
    PLAYER_WINS,  // %s: the winner's name (rated match)
    DRAW,
    TIME_OUT_COMPUTER_WINS,
    TIME_OUT_YOU_WIN,
    YOU_RESIGN,
    RATING_CHANGE,  // %s name, %4d before, %4d after
    // Errors.
    ERROR_TITLE,
    CANNOT_OPEN_FILE,
    OUT_OF_MEMORY,
    HASH_TABLES_ALLOCATION,
    USER_FOLDER_NOT_MADE,  // %s: the folder
    DATA_FILES_MISSING,    // %s: the folder looked in, %s: the files
    // File dialogs: the description before each filter's patterns.
    FILTER_GAME_FILES,
    FILTER_TEXT_FILES,
    FILTER_COMMENT_FILES,
    FILTER_DOC_FILES,
    FILTER_DYNAMO_FILES,
    FILTER_PICTURES,
    FILTER_OPENING_SETS,
    FILTER_LEARNING_FILES,
    FILTER_PARAMETER_FILES,
    // Window and start-up panel.
    WINDOW_TITLE,
    INTRO_VERSION,  // %s: the version number
    INTRO_BOARD_2D,
    INTRO_THEME_CLASSIC,
    INTRO_THEME_NIGHT,
    INTRO_THEME_LUXE,
    INTRO_THEME_GRAND_LUXE,
    THEME_VENICE,
    SCREEN_ADVICE_1,  // followed by the person's folder
    SCREEN_ADVICE_2,
    OPEN_VOG_FILE,
    // Clocks, counters and names.
    MOVE_COUNTER,  // %d: the move number on the perspective board
    MINUTES,
    NAMES_WHITE,
    NAMES_BLACK,
    // The "Calcul" page while the computer thinks.
    PROGRESS_DEPTH,
    PROGRESS_NODES,
    PROGRESS_TIME,
    PROGRESS_NODE_RATE,
    PROGRESS_NODE_RATE_NONE,
    PROGRESS_SCORE,
    PROGRESS_MOVE,
    // Position set-up.
    PLACE_PIECES,
    TIP_WHITE_MAN,
    TIP_WHITE_KING,
    TIP_BLACK_MAN,
    TIP_BLACK_KING,
    TIP_EMPTY_SQUARE,
    TIP_PIECE_CHOSEN,
    SHORT_EMPTY,
    SHORT_WHITE_MAN,
    SHORT_WHITE_KING,
    SHORT_BLACK_MAN,
    SHORT_BLACK_KING,
    STATIC_EVAL_WHITE,  // %4d
    STATIC_EVAL_BLACK,  // %4d
    // Opening-list editors.
    TIP_ADD_OPENING,
    TIP_REPLACE_OPENING,
    TIP_DELETE_OPENING,
    // Move list buttons.
    HINT_TO_START,
    HINT_BACK_ONE,
    HINT_FORWARD_ONE,
    HINT_TO_END,
    // The analysis, from the perfect-play tables: what the move played gave away.
    TABLE_WIN_TO_DRAW,
    TABLE_WIN_TO_LOSS,
    TABLE_DRAW_TO_LOSS,
    // The "Calcul" page, from the perfect-play tables.
    TABLE_WIN_IN,   // %d: plies
    TABLE_LOSS_IN,  // %d: plies
    TABLE_DRAWN,
    // Dialog panels: why an input is refused.
    REFUSED_MINUTES,
    REFUSED_NAME_MISSING,
    REFUSED_SAME_NAMES,
    REFUSED_COMPUTER_NOT_A_PERSON,
    REFUSED_DELETE_COMPUTER,
    REFUSED_NO_PLAYER_CHOSEN,
    // "Editer coups": what was written, or why nothing was.
    BESTMOVE_WRITTEN,  // %d lines, %s the file
    BESTMOVE_NOTHING,
    // Under a printed diagram.
    WHITE_TO_MOVE,
    BLACK_TO_MOVE,
    // The lesson panel beside the board.
    LESSON_OPEN_IN_EDITOR,
    LESSON_EDITOR_FAILED,  // %s: the file
    LESSON_NO_COMMENTARY,
    LESSON_SOLUTION_LATER,  // %s: the caption of "Revoir coup"
    PROBLEM_WHITE_WINS,
    PROBLEM_BLACK_WINS,
    PROBLEM_WHITE_DRAWS,
    PROBLEM_BLACK_DRAWS,
    COUNT
};

inline constexpr int MESSAGE_COUNT = static_cast<int>(Msg::COUNT);

}  // namespace qv
