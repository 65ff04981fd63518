// The window's words for a text or PDN game that cannot be imported.
#pragma once

#include <QString>

#include "files/text_game.h"

namespace qv::ui {

// In the interface language: which game, which move, and why.
QString import_message(int language, const TextProblem& problem);

}  // namespace qv::ui
