// The program's texts as translators edit them: one file per language under data/lang,
// read and checked here before make_texts turns them into the tables of the code.
//
// A file is a list of entries, each opened by its key in brackets:
//   [caption.BitBtn18]
//   context: New-game panel: the button that closes it without starting a game.
//   source: "Annuler"        (translations only: the French text translated)
//   text: "Cancel"
// Lines starting with '#' and blank lines are left out. Texts are quoted; \" \\ \n and \t
// are the only escapes.
#pragma once

#include <string>
#include <vector>

namespace qv::texts {

inline constexpr int LANGUAGES = 6;
// The interface languages in the program's order; French is the source of the others.
inline constexpr const char* CODES[LANGUAGES] = {"fr", "en", "nl", "pt", "es", "it"};

// The analysis lines' texts, in the order of the generated table.
inline constexpr const char* ANALYSIS_KEYS[] = {"analysis.long.white",  "analysis.long.black",
                                                "analysis.short.white", "analysis.short.black",
                                                "analysis.explanation", "analysis.legend"};

// One file's name (for messages) and content.
struct SourceFile {
    std::string path;
    std::string content;
};

// A key with its text in every language.
struct Text {
    std::string key;
    std::string text[LANGUAGES];
};

struct Catalogue {
    std::vector<Text> captions;  // in the French file's order; variants follow their first
    std::vector<Text> messages;  // in the order of the identifiers
    std::vector<Text> analysis;  // in the order of ANALYSIS_KEYS
};

// The identifiers of enum Msg in `header` (board/message_id.h), in order.
struct Identifier {
    std::string name;
    int line;
};
std::vector<Identifier> message_identifiers(const std::string& header);

// The catalogue of `files` (one per language, in CODES order). Every fault is appended to
// `errors` as "file:line: key: what"; the catalogue is complete only when there is none.
Catalogue read_catalogue(const SourceFile (&files)[LANGUAGES], const SourceFile& identifiers,
                         std::vector<std::string>& errors);

// The placeholders of a text: its printf conversions in order ("%s", "%4d"; "%%" is none),
// then its numbered ones ("%1", "%2", which a translation may reorder) sorted.
std::vector<std::string> placeholders(const std::string& text);

// The component a caption key names: "caption.Bas_Haut.2" -> "Bas_Haut".
std::string component_of(const std::string& caption_key);

}  // namespace qv::texts
