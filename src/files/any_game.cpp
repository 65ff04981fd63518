#include "files/any_game.h"

#include <cctype>

#include "board/file_io.h"
#include "board/now.h"
#include "files/game_file.h"
#include "files/text_game.h"
#include "game/game_record.h"

namespace qv {

GameFileKind kind_of(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dam") return GameFileKind::dam;
    if (ext == ".txt" || ext == ".doc" || ext == ".damt") return GameFileKind::text;
    if (ext == ".pdn") return GameFileKind::pdn;
    return GameFileKind::unknown;
}

bool load_any_game(const std::filesystem::path& path, int game_index, LoadProblem& why) {
    why = LoadProblem{};
    const GameFileKind kind = kind_of(path);
    if (kind == GameFileKind::unknown) {
        why.failure = LoadFailure::unknown_kind;
        return false;
    }
    std::string bytes;
    const size_t limit = kind == GameFileKind::dam ? GAME_FILE_SIZE + 1 : TEXT_READ_LIMIT;
    if (!read_file_prefix(path, limit, bytes)) {
        why.failure = LoadFailure::cannot_open;
        return false;
    }
    if (kind == GameFileKind::dam) {
        if (game_index != 0) {
            why.failure = LoadFailure::one_game_per_file;
            return false;
        }
        GameFileImage img;
        if (!decode_game_file(bytes, img, why.detail)) {
            why.failure = LoadFailure::bad_game_file;
            return false;
        }
        apply_game_image(img);
        after_game_read();
        return true;
    }
    TextGame tg;
    if (!parse_text_game(bytes, game_index, tg, why.text) || !load_text_game(tg, now(), why.text)) {
        why.failure = LoadFailure::text;
        return false;
    }
    game.game_result = static_cast<uint8_t>(tg.result);  // kept for the file written next
    return true;
}

bool save_any_game(const std::filesystem::path& path, std::string& why) {
    bool ok = false;
    switch (kind_of(path)) {
        case GameFileKind::dam:
            ok = write_file_atomic(path, game_file_bytes());
            break;
        case GameFileKind::text:
            ok = write_file_atomic(path, text_game_bytes());
            break;
        case GameFileKind::pdn:
            ok = write_file_atomic(path, pdn_bytes());
            break;
        case GameFileKind::unknown:
            why = "unknown file kind (expected .dam, .txt or .pdn)";
            return false;
    }
    if (!ok) why = "cannot write the file";
    return ok;
}

}  // namespace qv
