// The six interface languages as the tests know them, in the program's order: a name for
// test names and messages, the window's menu item, the code of the command line and files.
#pragma once

namespace qv::test {

struct LanguageNames {
    const char* name;
    const char* item;
    const char* code;
};

inline constexpr LanguageNames LANGUAGE_TABLE[6] = {
    {"French", "Franais1", "fr"},   {"English", "English1", "en"},
    {"Dutch", "Nederlands1", "nl"}, {"Portuguese", "Portugues1", "pt"},
    {"Spanish", "Espanol1", "es"},  {"Italian", "Italiano1", "it"},
};

}  // namespace qv::test
