// The checks of make_texts on a small catalogue: each row breaks one file in one way.
#include <gtest/gtest.h>

#include "catalogue.h"
#include "common/case_name.h"

namespace qv::texts {
namespace {

const char* const IDENTIFIERS =
    "enum class Msg : uint16_t {\n"
    "    WHITE_WINS,\n"
    "    RATING_CHANGE,  // %s name, %4d before, %4d after\n"
    "    COUNT\n"
    "};\n";

struct Source {
    const char* key;
    const char* french;
};
const Source SOURCES[] = {
    {"caption.Bas_Haut", "Blancs:Bas->Haut"},
    {"caption.Bas_Haut.2", "Blancs:Haut->Bas"},
    {"caption.Form4.BitBtn1", "Dame"},
    {"caption.Msg_import_fen", "Partie %1 : « %2 »"},
    {"msg.WHITE_WINS", "Gain des blancs"},
    {"msg.RATING_CHANGE", "%s passe de %4d à %4d"},
    {"analysis.long.white", "%2d Blanc: %s-%s"},
    {"analysis.long.black", "%2d Noir: %s-%s"},
    {"analysis.short.white", "%2d Blancs: %s-%s"},
    {"analysis.short.black", "%2d Noirs: %s-%s"},
    {"analysis.explanation", "Analyse en cours"},
    {"analysis.legend", "+100 gagne un pion"},
};

// The file of language `l`: every source, translated by adding the language's code.
std::string file_of(int l) {
    std::string out = "# texts\n";
    for (const Source& s : SOURCES) {
        out += std::string("[") + s.key + "]\ncontext: where\n";
        if (l > 0) out += std::string("source: \"") + s.french + "\"\n";
        out += std::string("text: \"") + s.french + (l ? std::string(" ") + CODES[l] : "") + "\"\n";
    }
    return out;
}

constexpr int IDENTIFIER_FILE = -1, EVERY_FILE = LANGUAGES;

struct Fault {
    const char* name;
    int language;  // the file changed: a language, IDENTIFIER_FILE or EVERY_FILE
    const char* find;
    const char* replace;
    const char* error;  // a part of the one error expected; "" for none
};

const Fault FAULTS[] = {
    {"Intact", 0, "", "", ""},
    {"NumberedPlaceholdersReordered", 1, "Partie %1 : « %2 » en", "%2 of game %1", ""},
    {"MissingInATranslation", 1,
     "[msg.WHITE_WINS]\ncontext: where\nsource: \"Gain des blancs\"\ntext: \"Gain des blancs "
     "en\"\n",
     "", "data/lang/en.txt: msg.WHITE_WINS: missing (French text at data/lang/fr.txt:14)"},
    {"RepeatedKey", 2, "",
     "[caption.Bas_Haut]\ncontext: where\nsource: \"Blancs:Bas->Haut\"\n"
     "text: \"x\"\n",
     "data/lang/nl.txt:6: caption.Bas_Haut: repeated (first at line 1)"},
    {"UnknownCaption", 3, "", "[caption.Gone]\ncontext: where\nsource: \"Dame\"\ntext: \"x\"\n",
     "data/lang/pt.txt:1: caption.Gone: unknown key (not in data/lang/fr.txt)"},
    {"UnknownIdentifier", 0, "", "[msg.NO_SUCH]\ncontext: where\ntext: \"x\"\n",
     "fr.txt:1: msg.NO_SUCH: unknown: no such identifier in enum Msg"},
    {"IdentifierWithoutText", IDENTIFIER_FILE, "    COUNT", "    NEW_ONE,\n    COUNT",
     "data/lang/fr.txt: msg.NEW_ONE: missing (identifier at board/message_id.h:4)"},
    {"PrintfPlaceholderChanged", 4, "%s passe de %4d à %4d es", "%s pasa de %d a %4d",
     "es.txt:22: msg.RATING_CHANGE: placeholders %s %d %4d differ from the French %s %4d %4d"},
    {"NumberedPlaceholderLost", 5, "Partie %1 : « %2 » it", "Partita %1",
     "placeholders %1 differ from the French %1 %2"},
    {"SourceNoLongerTheFrench", 5, "source: \"Dame\"", "source: \"Reine\"",
     "it.txt:10: caption.Form4.BitBtn1: source \"Reine\" is not the French text \"Dame\""},
    {"VariantOutOfOrder", EVERY_FILE, "[caption.Bas_Haut.2]", "[caption.Bas_Haut.3]",
     "fr.txt:5: caption.Bas_Haut.3: a caption's variants follow it as caption.Bas_Haut.2"},
    {"TextNotQuoted", 1, "text: \"Dame en\"", "text: Dame",
     "en.txt:13: caption.Form4.BitBtn1: text is not one text between double quotes"},
    {"EmptyText", 2, "text: \"Dame nl\"", "text: \"\"",
     "nl.txt:10: caption.Form4.BitBtn1: no text"},
    {"NoContext", 0, "[caption.Form4.BitBtn1]\ncontext: where", "[caption.Form4.BitBtn1]",
     "fr.txt:8: caption.Form4.BitBtn1: no context"},
    {"SourceInTheFrenchFile", 0, "text: \"Dame\"", "source: \"Dame\"\ntext: \"Dame\"",
     "fr.txt:10: caption.Form4.BitBtn1: the French file has no source"},
};

class Texts : public testing::TestWithParam<Fault> {};

TEST_P(Texts, RefusesTheFaultWithItsFileLineAndKey) {
    const Fault& f = GetParam();
    SourceFile files[LANGUAGES], identifiers{"board/message_id.h", IDENTIFIERS};
    for (int l = 0; l < LANGUAGES; ++l)
        files[l] = {std::string("data/lang/") + CODES[l] + ".txt", file_of(l)};
    for (int l = IDENTIFIER_FILE; l < LANGUAGES; ++l) {
        if (l != f.language && !(f.language == EVERY_FILE && l >= 0)) continue;
        std::string& broken = l < 0 ? identifiers.content : files[l].content;
        const size_t at = broken.find(f.find);
        ASSERT_NE(at, std::string::npos) << f.find;
        broken.replace(at, std::string(f.find).size(), f.replace);
    }

    std::vector<std::string> errors;
    const Catalogue c = read_catalogue(files, identifiers, errors);
    if (!*f.error) {
        EXPECT_TRUE(errors.empty()) << errors.front();
        ASSERT_EQ(c.captions.size(), 4u);
        EXPECT_EQ(component_of(c.captions[1].key), "Bas_Haut");
        EXPECT_EQ(component_of(c.captions[2].key), "Form4.BitBtn1");
        ASSERT_EQ(c.messages.size(), 2u);
        EXPECT_EQ(c.messages[1].text[4], "%s passe de %4d à %4d es");
        EXPECT_EQ(c.analysis.back().text[0], "+100 gagne un pion");
        return;
    }
    ASSERT_EQ(errors.size(), 1u) << (errors.empty() ? "" : errors[0] + "\n" + errors.back());
    EXPECT_NE(errors[0].find(f.error), std::string::npos) << errors[0];
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Texts, testing::ValuesIn(FAULTS), test::RowName());

}  // namespace
}  // namespace qv::texts
