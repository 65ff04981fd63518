#include "ui/import_messages.h"

#include "ui/captions.h"

namespace qv::ui {

QString import_message(int language, const TextProblem& p) {
    const auto text = [language](const char* key) {
        return QString::fromUtf8(caption_of(language, key));
    };
    const QString value = QString::fromStdString(p.text);
    switch (p.error) {
        case TextError::none:
            return {};
        case TextError::no_game:
            return text("Msg_import_aucune");
        case TextError::no_such_game:
            return text("Msg_import_absente").arg(p.game).arg(p.games - 1);
        case TextError::bad_fen:
            return text("Msg_import_fen").arg(p.game).arg(value);
        case TextError::other_game_type:
            return text("Msg_import_type").arg(p.game).arg(value);
        case TextError::unreadable_move:
            return text("Msg_import_illisible").arg(p.game).arg(p.move_number).arg(value);
        case TextError::illegal_move:
            return text("Msg_import_illegal").arg(p.game).arg(p.move_number).arg(value);
    }
    return {};
}

}  // namespace qv::ui
