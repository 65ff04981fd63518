// The message catalogue, written from the entries msg.* of data/lang: every text the
// program composes, in the six interface languages (0 French, 1 English, 2 Dutch,
// 3 Portuguese, 4 Spanish, 5 Italian). Texts are UTF-8; those with values carry printf
// conversions, the same ones in the same order in every language.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/message_id.h"

namespace qv {

inline constexpr int LANGUAGE_COUNT = 6;

struct MessageRow {
    Msg id;
    const char* key;  // the identifier's name, for tests and diagnostics
    const char* text[LANGUAGE_COUNT];
};

// Every row, in identifier order.
std::span<const MessageRow> message_rows();

// The text of `id` in `language` (French for a language outside 0..5).
const char* message(Msg id, int language);

// The text of `id` in `language` with its values filled in.
std::string format_message(Msg id, int language, ...);

// What the programs say at start-up about their data: a line when the person's folder could
// not be made, one naming the data files found nowhere; nothing when all is well.
std::vector<std::string> data_folder_report(bool folder_made,
                                            const std::vector<std::string>& missing, int language);

// Language index of a code "fr", "en", "nl", "pt", "es" or "it"; -1 for anything else.
int language_of_code(std::string_view code);

}  // namespace qv
