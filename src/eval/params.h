// The evaluation's parameter set: the live values, the 1162-byte file they are read from
// and written to, and the rule by which the editor turns a field's text into a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace qv {

inline constexpr int MAN_TABLE_COUNT = 8;
// Order of man_tables and tempo_coef.
enum ManTable : int {
    OPENING_DEFAULT = 0,
    MIDDLE_DEFAULT = 1,
    PREFINAL = 2,
    FINAL = 3,
    OPENING_VARIANT1 = 4,
    MIDDLE_VARIANT1 = 5,
    OPENING_VARIANT2 = 6,
    MIDDLE_VARIANT2 = 7,
};

// The 295 live values, laid out exactly as the first 303 bytes of a parameter file.
struct Parameters {
    int8_t man_tables[MAN_TABLE_COUNT][33] = {};  // owner's view, entries 1..32 (0 unused)
    int8_t opening_threshold = 0;                 // a phase holds while count > threshold
    int8_t middle_threshold = 0;
    int8_t prefinal_threshold = 0;
    int8_t variant1_white_squares[7] = {};  // squares counted when they hold a white man
    int8_t variant2_white_squares[7] = {};
    int8_t variant1_black_squares[7] = {};  // squares counted when they hold a black man
    int8_t variant2_black_squares[7] = {};
    int8_t tempo_coef[MAN_TABLE_COUNT] = {};  // same order as man_tables
};

inline constexpr size_t PARAMETER_FILE_SIZE = 1162;
inline constexpr size_t PARAMETER_RESERVED = 859;

// One parameter file image: the values, then bytes that are carried through unread.
struct ParameterFile {
    Parameters values;
    uint8_t reserved[PARAMETER_RESERVED] = {};
};
static_assert(sizeof(Parameters) == 303);
static_assert(offsetof(Parameters, man_tables) == 0);
static_assert(offsetof(Parameters, opening_threshold) == 264);
static_assert(offsetof(Parameters, middle_threshold) == 265);
static_assert(offsetof(Parameters, prefinal_threshold) == 266);
static_assert(offsetof(Parameters, variant1_white_squares) == 267);
static_assert(offsetof(Parameters, variant2_white_squares) == 274);
static_assert(offsetof(Parameters, variant1_black_squares) == 281);
static_assert(offsetof(Parameters, variant2_black_squares) == 288);
static_assert(offsetof(Parameters, tempo_coef) == 295);
static_assert(offsetof(ParameterFile, reserved) == 303);
static_assert(sizeof(ParameterFile) == PARAMETER_FILE_SIZE);

// Process-wide: the live set and the file buffer (holding the last file read).
struct ParameterState {
    Parameters live;
    ParameterFile buffer;
};
extern ParameterState parameter_state;

inline constexpr auto& params = parameter_state.live;

// A parameter file's bytes as an image: false unless there are exactly 1162 of them.
bool parameters_from_bytes(std::string_view bytes, ParameterFile& out);
// Reads a whole parameter file into the buffer and the live values. A file that cannot be
// opened or is shorter than 1162 bytes: "Impossible d'ouvrir ce fichier" through the host,
// nothing changes, false.
bool load_parameters(const std::filesystem::path& path);
// Writes the live values and the buffer's reserved bytes (through a temporary file that is
// renamed into place). Failure: the same message, false.
bool save_parameters(const std::filesystem::path& path);
// "Parametres/defaut.par" in the program's directory.
bool load_default_parameters();

// An editor field's text as a value: leading blanks, an optional sign, the digits up to the
// first non-digit (none: 0), the low 8 bits as a signed byte. "300" gives 44.
int8_t parse_parameter_field(std::string_view text);

}  // namespace qv
