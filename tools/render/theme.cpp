#include "theme.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace render {

namespace {

// Splits "word k=v k="v w" ..." into the word and its pairs.
bool split_line(const std::string& line, std::string& word,
                std::vector<std::pair<std::string, std::string>>& pairs, std::string& error) {
    std::istringstream in(line);
    in >> word;
    std::string rest;
    std::getline(in, rest);
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
        if (i >= rest.size()) break;
        const size_t eq = rest.find('=', i);
        if (eq == std::string::npos) {
            error = "expected key=value near \"" + rest.substr(i) + "\"";
            return false;
        }
        std::string key = rest.substr(i, eq - i), value;
        i = eq + 1;
        if (i < rest.size() && rest[i] == '"') {
            const size_t end = rest.find('"', i + 1);
            if (end == std::string::npos) {
                error = "unclosed quote";
                return false;
            }
            value = rest.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            const size_t end = rest.find_first_of(" \t", i);
            value = rest.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i = end == std::string::npos ? rest.size() : end;
        }
        pairs.emplace_back(key, value);
    }
    return true;
}

bool parse_number(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    // "nan", "inf" and numbers beyond a double would poison every pixel they reach.
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(out);
}

bool parse_vec(const std::string& text, Vec3& out) {
    double v[3];
    size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const size_t comma = text.find(',', start);
        if ((k < 2) != (comma != std::string::npos)) return false;
        if (!parse_number(
                text.substr(start, comma == std::string::npos ? std::string::npos : comma - start),
                v[k]))
            return false;
        start = comma + 1;
    }
    out = {v[0], v[1], v[2]};
    return true;
}

// Colours are written as they look on screen (sRGB); light is computed in linear terms.
double to_linear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
bool parse_colour(const std::string& text, Vec3& out) {
    if (!parse_vec(text, out)) return false;
    out = {to_linear(out.x), to_linear(out.y), to_linear(out.z)};
    return true;
}

bool set_material(Material& m, const std::string& key, const std::string& value) {
    if (key == "pattern") {
        static const std::map<std::string, Pattern> names{
            {"plain", Pattern::Plain},   {"wood", Pattern::Wood}, {"planks", Pattern::Planks},
            {"marble", Pattern::Marble}, {"sand", Pattern::Sand}, {"beach", Pattern::Beach},
            {"stone", Pattern::Stone},   {"lava", Pattern::Lava}, {"pebbles", Pattern::Pebbles},
            {"cloth", Pattern::Cloth},   {"gold", Pattern::Gold}};
        const auto it = names.find(value);
        if (it == names.end()) return false;
        m.pattern = it->second;
        return true;
    }
    if (key == "a") return parse_colour(value, m.a);
    if (key == "b") return parse_colour(value, m.b);
    std::map<std::string, Vec3*> vecs{{"tint", &m.tint}, {"glow", &m.glow}};
    if (auto it = vecs.find(key); it != vecs.end()) return parse_vec(value, *it->second);
    std::map<std::string, double*> nums{{"scale", &m.scale}, {"specular", &m.specular},
                                        {"shine", &m.shine}, {"reflect", &m.reflect},
                                        {"glass", &m.glass}, {"ior", &m.ior},
                                        {"milk", &m.milk},   {"seed", &m.seed}};
    if (auto it = nums.find(key); it != nums.end()) return parse_number(value, *it->second);
    return false;
}

bool set_light(Light& l, const std::string& key, const std::string& value) {
    if (key == "kind") {
        if (value != "sun" && value != "sphere") return false;
        l.sun = value == "sun";
        return true;
    }
    if (key == "scope") {
        if (value == "all")
            l.scope = Scope::All;
        else if (value == "board")
            l.scope = Scope::Board;
        else if (value == "room")
            l.scope = Scope::Room;
        else
            return false;
        return true;
    }
    if (key == "at") return parse_vec(value, l.at);
    if (key == "colour") return parse_vec(value, l.colour);
    if (key == "radius") return parse_number(value, l.radius);
    if (key == "power") return parse_number(value, l.power);
    return false;
}

bool set_style(Theme& t, const std::string& key, const std::string& value) {
    double v;
    if (key == "name")
        t.name = value;
    else if (key == "miniature")
        t.miniature = value;
    else if (key == "pieces") {
        if (value != "disc" && value != "pebble" && value != "glass") return false;
        t.pieces = value;
    } else if (key == "background" || key == "sprites") {
        if (!parse_number(value, v) || v < 1 || v > 8 || v != static_cast<int>(v)) return false;
        (key == "background" ? t.background : t.sprites) = static_cast<int>(v);
    } else if (key == "frame_width") {
        return parse_number(value, t.frame_width);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool load_theme(const std::string& path, Theme& theme, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    return parse_theme(in, path, theme, error);
}

bool parse_theme(std::istream& in, const std::string& path, Theme& theme, std::string& error) {
    theme = Theme{};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        std::string word;
        std::vector<std::pair<std::string, std::string>> pairs;
        auto fail = [&](const std::string& why) {
            error = path + ":" + std::to_string(number) + ": " + why;
            return false;
        };
        if (!split_line(line, word, pairs, error)) return fail(error);
        std::map<std::string, Material*> materials{{"light_square", &theme.light_square},
                                                   {"dark_square", &theme.dark_square},
                                                   {"frame", &theme.frame},
                                                   {"table", &theme.table},
                                                   {"white", &theme.white},
                                                   {"black", &theme.black},
                                                   {"crown", &theme.crown}};
        Light light;
        for (const auto& [key, value] : pairs) {
            bool ok = false;
            if (auto it = materials.find(word); it != materials.end()) {
                ok = set_material(*it->second, key, value);
            } else if (word == "style") {
                ok = set_style(theme, key, value);
            } else if (word == "light") {
                ok = set_light(light, key, value);
            } else if (word == "camera") {
                ok = (key == "exposure" && parse_number(value, theme.exposure)) ||
                     (key == "vignette" && parse_number(value, theme.vignette));
            } else if (word == "ambient") {
                ok = (key == "board" && parse_vec(value, theme.ambient_board)) ||
                     (key == "room" && parse_vec(value, theme.ambient_room));
            } else if (word == "sky") {
                ok = (key == "top" && parse_colour(value, theme.sky_top)) ||
                     (key == "bottom" && parse_colour(value, theme.sky_bottom));
            } else {
                return fail("unknown object \"" + word + "\"");
            }
            if (!ok) return fail("bad " + key + "=" + value + " for " + word);
        }
        if (word == "light") {
            if (light.sun) {
                // A sun is a direction: one of no length points nowhere.
                if (length(light.at) == 0) return fail("a sun needs a direction (at=x,y,z)");
                light.at = normalize(light.at);
            }
            theme.lights.push_back(light);
        }
    }
    if (theme.name.empty() || theme.miniature.empty()) {
        error = path + ": the style line needs a name and a miniature";
        return false;
    }
    return true;
}

}  // namespace render
