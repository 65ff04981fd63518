#include "catalogue.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace qv::texts {

namespace {

std::string trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return "";
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

bool starts_with(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// The text between the quotes of `value`, escapes resolved; false when it is not quoted.
bool unquote(const std::string& value, std::string& out) {
    if (value.size() < 2 || value.front() != '"') return false;
    out.clear();
    size_t i = 1;
    for (; i < value.size() && value[i] != '"'; ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) return false;
        const char c = value[i];
        if (c == 'n') {
            out += '\n';
        } else if (c == 't') {
            out += '\t';
        } else if (c == '"' || c == '\\') {
            out += c;
        } else {
            return false;
        }
    }
    return i + 1 == value.size();
}

struct Entry {
    std::string key;
    int line = 0;
    std::string context, source, text;
    bool has_context = false, has_source = false, has_text = false;
};

class FileReader {
  public:
    FileReader(const SourceFile& file, bool french, std::vector<std::string>& errors)
        : file_(file), french_(french), errors_(errors) {}

    std::vector<Entry> entries() {
        std::istringstream in(file_.content);
        std::string raw;
        for (int n = 1; std::getline(in, raw); ++n) {
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            const std::string line = trim(raw);
            if (line.empty() || line[0] == '#') continue;
            if (line[0] == '[') {
                finish();
                if (line.size() < 3 || line.back() != ']') {
                    fault(n, "", "a key is written [key]");
                    continue;
                }
                entries_.push_back({.key = line.substr(1, line.size() - 2), .line = n});
                continue;
            }
            field(n, line);
        }
        finish();
        return std::move(entries_);
    }

  private:
    void fault(int line, const std::string& key, const std::string& what) {
        errors_.push_back(file_.path + ":" + std::to_string(line) + ": " +
                          (key.empty() ? "" : key + ": ") + what);
    }

    void field(int n, const std::string& line) {
        const size_t colon = line.find(':');
        if (entries_.empty() || colon == std::string::npos) {
            fault(n, "", "expected [key], context:, source: or text:");
            return;
        }
        Entry& e = entries_.back();
        const std::string name = trim(std::string_view(line).substr(0, colon));
        const std::string value = trim(std::string_view(line).substr(colon + 1));
        bool* given = nullptr;
        if (name == "context") {
            given = &e.has_context;
            e.context = value;
        } else if (name == "text" || name == "source") {
            if (name == "source" && french_) {
                fault(n, e.key, "the French file has no source: it is the source");
                return;
            }
            given = name == "text" ? &e.has_text : &e.has_source;
            std::string& into = name == "text" ? e.text : e.source;
            if (!unquote(value, into)) {
                fault(n, e.key, name + " is not one text between double quotes");
                into = value;  // refused already: no second fault for an empty text
            }
        } else {
            fault(n, e.key, "unknown field \"" + name + "\"");
            return;
        }
        if (*given) fault(n, e.key, name + " given twice");
        *given = true;
    }

    // Checks that the last entry is complete.
    void finish() {
        if (entries_.empty()) return;
        const Entry& e = entries_.back();
        if (!e.has_context || e.context.empty()) fault(e.line, e.key, "no context");
        if (!e.has_text || e.text.empty()) fault(e.line, e.key, "no text");
        if (!french_ && !e.has_source) fault(e.line, e.key, "no source (the French text)");
    }

    const SourceFile& file_;
    const bool french_;
    std::vector<std::string>& errors_;
    std::vector<Entry> entries_;
};

std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts) out += (out.empty() ? "" : " ") + p;
    return out.empty() ? "none" : out;
}

// Reads and checks the six files together: keys, order of the captions, placeholders.
class CatalogueReader {
  public:
    CatalogueReader(const SourceFile (&files)[LANGUAGES], const SourceFile& identifiers,
                    std::vector<std::string>& errors)
        : files_(files), identifiers_(identifiers), errors_(errors) {}

    Catalogue read() {
        for (const Identifier& id : message_identifiers(identifiers_.content))
            ids_.emplace("msg." + id.name, id.line);
        if (ids_.empty())
            errors_.push_back(identifiers_.path + ": no identifier of enum Msg found");
        for (int l = 0; l < LANGUAGES; ++l) {
            entries_[l] = FileReader(files_[l], l == 0, errors_).entries();
            for (size_t i = 0; i < entries_[l].size(); ++i) {
                const Entry& e = entries_[l][i];
                const auto [at, fresh] = index_[l].emplace(e.key, i);
                if (!fresh)
                    fault(l, e.line, e.key,
                          "repeated (first at line " +
                              std::to_string(entries_[l][at->second].line) + ")");
            }
        }
        check_french();
        for (int l = 1; l < LANGUAGES; ++l) check_translation(l);
        return gather();
    }

  private:
    void fault(int l, int line, const std::string& key, const std::string& what) {
        errors_.push_back(files_[l].path + ":" + std::to_string(line) + ": " + key + ": " + what);
    }

    static bool is_analysis(const std::string& key) {
        return std::find(std::begin(ANALYSIS_KEYS), std::end(ANALYSIS_KEYS), key) !=
               std::end(ANALYSIS_KEYS);
    }

    // The French file decides which captions exist and their order; the identifiers and
    // the analysis lines are known beforehand.
    void check_french() {
        std::map<std::string, int> variants;  // component -> captions so far
        for (const Entry& e : entries_[0]) {
            if (starts_with(e.key, "caption.")) {
                const std::string component = component_of(e.key);
                const int k = ++variants[component];
                const std::string expected =
                    "caption." + component + (k == 1 ? "" : "." + std::to_string(k));
                if (component.empty() || e.key != expected)
                    fault(0, e.line, e.key, "a caption's variants follow it as " + expected);
            } else if (!ids_.count(e.key) && !is_analysis(e.key)) {
                unknown_.insert(e.key);
                fault(0, e.line, e.key,
                      starts_with(e.key, "msg.") ? "unknown: no such identifier in enum Msg"
                                                 : "unknown key");
            }
        }
        for (const auto& [key, line] : ids_)
            if (!index_[0].count(key))
                errors_.push_back(files_[0].path + ": " + key + ": missing (identifier at " +
                                  identifiers_.path + ":" + std::to_string(line) + ")");
        for (const char* key : ANALYSIS_KEYS)
            if (!index_[0].count(key)) errors_.push_back(files_[0].path + ": " + key + ": missing");
    }

    void check_translation(int l) {
        for (const Entry& e : entries_[l]) {
            const auto french = index_[0].find(e.key);
            if (french == index_[0].end()) {
                if (!ids_.count(e.key) && !is_analysis(e.key))
                    fault(l, e.line, e.key, "unknown key (not in " + files_[0].path + ")");
                continue;
            }
            const Entry& f = entries_[0][french->second];
            if (e.has_source && e.source != f.text)
                fault(l, e.line, e.key,
                      "source \"" + e.source + "\" is not the French text \"" + f.text +
                          "\": translate the new text, then copy it into source");
            const auto mine = placeholders(e.text), theirs = placeholders(f.text);
            if (mine != theirs)
                fault(l, e.line, e.key,
                      "placeholders " + join(mine) + " differ from the French " + join(theirs));
        }
        for (const Entry& f : entries_[0])
            if (!index_[l].count(f.key) && !unknown_.count(f.key))
                errors_.push_back(files_[l].path + ": " + f.key + ": missing (French text at " +
                                  files_[0].path + ":" + std::to_string(f.line) + ")");
    }

    Text text_of(const std::string& key) const {
        Text t{.key = key, .text = {}};
        for (int l = 0; l < LANGUAGES; ++l) {
            const auto at = index_[l].find(key);
            if (at != index_[l].end()) t.text[l] = entries_[l][at->second].text;
        }
        return t;
    }

    Catalogue gather() const {
        Catalogue c;
        for (const Entry& e : entries_[0])
            if (starts_with(e.key, "caption.")) c.captions.push_back(text_of(e.key));
        for (const Identifier& id : message_identifiers(identifiers_.content))
            c.messages.push_back(text_of("msg." + id.name));
        for (const char* key : ANALYSIS_KEYS) c.analysis.push_back(text_of(key));
        return c;
    }

    const SourceFile (&files_)[LANGUAGES];
    const SourceFile& identifiers_;
    std::vector<std::string>& errors_;
    std::map<std::string, int> ids_;  // "msg.NAME" -> line in the header
    std::vector<Entry> entries_[LANGUAGES];
    std::map<std::string, size_t> index_[LANGUAGES];
    std::set<std::string> unknown_;  // keys of the French file refused
};

}  // namespace

std::vector<Identifier> message_identifiers(const std::string& header) {
    std::vector<Identifier> out;
    const size_t start = header.find("enum class Msg");
    if (start == std::string::npos) return out;
    int line = 1 + int(std::count(header.begin(), header.begin() + long(start), '\n'));
    std::istringstream in(header.substr(header.find('\n', start) + 1));
    std::string raw;
    while (std::getline(in, raw)) {
        ++line;
        const std::string code = trim(raw.substr(0, raw.find("//")));
        if (code.empty()) continue;
        const size_t end = code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_");
        const std::string name = code.substr(0, end);
        if (name.empty() || name == "COUNT") break;
        out.push_back({name, line});
    }
    return out;
}

Catalogue read_catalogue(const SourceFile (&files)[LANGUAGES], const SourceFile& identifiers,
                         std::vector<std::string>& errors) {
    return CatalogueReader(files, identifiers, errors).read();
}

std::vector<std::string> placeholders(const std::string& text) {
    std::vector<std::string> out, numbered;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() &&
               std::string_view("-+#0123456789.lh").find(text[j]) != std::string_view::npos)
            ++j;
        if (j < text.size() && std::isalpha(static_cast<unsigned char>(text[j]))) {
            out.push_back(text.substr(i, j - i + 1));
            i = j;
            continue;
        }
        const size_t digits = text.find_first_not_of("0123456789", i + 1);
        if (digits != i + 1) numbered.push_back(text.substr(i, digits - i));
    }
    std::sort(numbered.begin(), numbered.end());
    out.insert(out.end(), numbered.begin(), numbered.end());
    return out;
}

std::string component_of(const std::string& caption_key) {
    const std::string rest = caption_key.substr(std::string_view("caption.").size());
    const size_t dot = rest.rfind('.');
    const bool variant = dot != std::string::npos && dot + 1 < rest.size() &&
                         rest.find_first_not_of("0123456789", dot + 1) == std::string::npos;
    return variant ? rest.substr(0, dot) : rest;
}

}  // namespace qv::texts
