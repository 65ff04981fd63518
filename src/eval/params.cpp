#include "eval/params.h"

#include <cstring>
#include <string>

#include "board/data_dir.h"
#include "board/file_io.h"
#include "board/host.h"

namespace qv {

ParameterState parameter_state;

namespace {
bool fail() {
    host().show_error(Msg::CANNOT_OPEN_FILE);
    return false;
}
}  // namespace

bool parameters_from_bytes(std::string_view bytes, ParameterFile& out) {
    // Half a set would mix two parameter sets without a word: only a whole file counts.
    if (bytes.size() != sizeof out) return false;
    std::memcpy(&out, bytes.data(), sizeof out);
    return true;
}

bool load_parameters(const std::filesystem::path& path) {
    std::string bytes;
    ParameterFile image;
    if (!read_file_prefix(path, sizeof image, bytes) || !parameters_from_bytes(bytes, image))
        return fail();
    parameter_state.buffer = image;
    parameter_state.live = image.values;
    return true;
}

bool save_parameters(const std::filesystem::path& path) {
    ParameterFile image = parameter_state.buffer;
    image.values = parameter_state.live;
    const std::string_view bytes(reinterpret_cast<const char*>(&image), sizeof image);
    if (!write_file_atomic(path, bytes)) return fail();
    parameter_state.buffer = image;
    return true;
}

bool load_default_parameters() {
    return load_parameters(data_path("Parametres/defaut.par"));
}

int8_t parse_parameter_field(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t value = 0;  // arithmetic modulo 2^32 keeps the low 8 bits exact
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int8_t>(static_cast<uint8_t>(value & 0xFFu));
}

}  // namespace qv
