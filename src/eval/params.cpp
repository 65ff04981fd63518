#include "eval/params.h"

#include <cstdio>
#include <cstring>
#include <system_error>

#include "board/data_dir.h"
#include "board/host.h"

namespace qv {

ParameterState parameter_state;

namespace {
bool fail() {
    host().show_error(Msg::CANNOT_OPEN_FILE);
    return false;
}
}  // namespace

bool load_parameters(const std::filesystem::path& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return fail();
    ParameterFile image;
    const size_t got = std::fread(&image, 1, sizeof image, f);
    std::fclose(f);
    // Half a set would mix two parameter sets without a word: refuse it whole.
    if (got != sizeof image) return fail();
    parameter_state.buffer = image;
    parameter_state.live = image.values;
    return true;
}

bool save_parameters(const std::filesystem::path& path) {
    ParameterFile image = parameter_state.buffer;
    image.values = parameter_state.live;
    std::filesystem::path temp = path;
    temp += ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return fail();
    const bool written = std::fwrite(&image, 1, sizeof image, f) == sizeof image;
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (!written || !closed) {
        std::filesystem::remove(temp, ec);
        return fail();
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return fail();
    }
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
