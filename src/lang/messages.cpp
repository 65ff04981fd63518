#include "lang/messages.h"

#include <cstdarg>
#include <cstdio>

#include "board/data_dir.h"

namespace qv {

// The rows that make_texts writes from data/lang, in identifier order.
extern const MessageRow MESSAGE_ROWS[MESSAGE_COUNT];

std::span<const MessageRow> message_rows() {
    return MESSAGE_ROWS;
}

const char* message(Msg id, int language) {
    const int i = static_cast<int>(id);
    if (i < 0 || i >= MESSAGE_COUNT) return "";
    if (language < 0 || language >= LANGUAGE_COUNT) language = 0;
    return MESSAGE_ROWS[i].text[language];
}

std::string format_message(Msg id, int language, ...) {
    const char* format = message(id, language);
    va_list args;
    va_start(args, language);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

std::vector<std::string> data_folder_report(bool folder_made,
                                            const std::vector<std::string>& missing, int language) {
    std::vector<std::string> lines;
    if (!folder_made)
        lines.push_back(format_message(Msg::USER_FOLDER_NOT_MADE, language, user_dir().c_str()));
    if (missing.empty()) return lines;
    std::string names;
    for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
    lines.push_back(
        format_message(Msg::DATA_FILES_MISSING, language, program_dir().c_str(), names.c_str()));
    return lines;
}

int language_of_code(std::string_view code) {
    const char* codes[LANGUAGE_COUNT] = {"fr", "en", "nl", "pt", "es", "it"};
    for (int l = 0; l < LANGUAGE_COUNT; ++l)
        if (code == codes[l]) return l;
    return -1;
}

}  // namespace qv
