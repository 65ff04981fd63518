#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "board/board.h"
#include "board/data_dir.h"
#include "board/fen.h"
#include "lang/messages.h"
#include "search/engine_start.h"

namespace qv::cli {

namespace {
int chosen_language = 1;  // English

std::vector<Command>& commands() {
    static std::vector<Command> list;
    return list;
}
}  // namespace

int language() {
    return chosen_language;
}

void TextHost::show_error(Msg message) {
    std::fprintf(stderr, "%s: %s\n", qv::message(Msg::ERROR_TITLE, language()),
                 qv::message(message, language()));
}

void TextHost::report_fatal(Msg message) {
    std::printf("%s\n", qv::message(message, language()));
    std::fflush(stdout);
}

TextHost& text_host() {
    static TextHost host;
    return host;
}

// Takes "--lang CODE" out of argv; false when the code is not one of the six.
bool take_language(int& argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") != 0) continue;
        const int l = language_of_code(argv[i + 1]);
        if (l < 0) {
            std::fprintf(stderr, "--lang: expected fr, en, nl, pt, es or it\n");
            return false;
        }
        chosen_language = l;
        for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
        argc -= 2;
        return true;
    }
    return true;
}

Register::Register(const Command& c) {
    commands().push_back(c);
}

int usage(std::string_view command) {
    auto list = commands();
    std::sort(list.begin(), list.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    std::fprintf(stderr,
                 "usage: quorvel-cli [--data-dir DIR] [--user-dir DIR] [--lang CODE] COMMAND ARGS\n"
                 "       quorvel-cli --version\n");
    for (const auto& c : list) {
        if (command.empty() || command == c.name)
            std::fprintf(stderr, "  quorvel-cli %s\n", c.usage);
    }
    return 2;
}

bool parse_int(std::string_view text, long lo, long hi, long& value) {
    if (text.empty() || text.size() > 18) return false;
    size_t i = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return false;
    long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    v = negative ? -v : v;
    if (v < lo || v > hi) return false;
    value = v;
    return true;
}

void report_data_folders() {
    std::vector<std::string> missing;
    const bool made = prepare_user_dir(missing);
    for (std::string& name : missing_data_files()) missing.push_back(std::move(name));
    for (const std::string& line : data_folder_report(made, missing, language()))
        std::fprintf(stderr, "quorvel-cli: %s\n", line.c_str());
}

bool load_fen_argument(const char* text, int& side_to_move) {
    Position p;
    std::string error;
    if (!parse_fen(text, p, error)) {
        std::fprintf(stderr, "bad FEN: %s\n", error.c_str());
        return false;
    }
    set_position(p);
    side_to_move = p.side_to_move;
    return true;
}

}  // namespace qv::cli

int main(int argc, char** argv) {
    qv::init_program_dir(argc, argv);
    if (!qv::cli::take_language(argc, argv)) return qv::cli::usage();
    qv::set_host(&qv::cli::text_host());
    if (argc < 2) return qv::cli::usage();
    const std::string_view name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        qv::cli::usage();
        return 0;
    }
    if (name == "--version") {
        std::printf("quorvel-cli %s\n", QUORVEL_VERSION);
        return 0;
    }
    qv::cli::report_data_folders();
    for (const auto& c : qv::cli::commands()) {
        if (name == c.name) return c.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "unknown command: %s\n", argv[1]);
    return qv::cli::usage();
}
