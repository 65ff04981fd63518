#include "analysis/analysis_text.h"

#include <cstdio>

#include "board/board.h"

namespace qv {

namespace {

enum Form { FR, PT, ES, EN };

Form form_of(int language) {
    switch (language) {
        case 0:
            return FR;
        case 3:
            return PT;
        case 4:
            return ES;
        default:
            return EN;
    }
}

// [form][mover]: n, played from, played to, played score, best from, best to, best score.
constexpr const char* LONG_FORMS[4][2] = {
    {"%2d Blanc: joué : %s-%s; score : %2d; meilleur : %s-%s; score : %2d",
     "%2d Noir : joué : %s-%s; score : %2d; meilleur : %s-%s; score : %2d"},
    {"%2d Brancas: jogou : %s-%s; valor : %2d; melhor : %s-%s; valor : %2d",
     "%2d Pretas : jogou : %s-%s; valor : %2d; melhor : %s-%s; valor : %2d"},
    {"%2d Blancas: jogou : %s-%s; Puntuación : %2d; melhor : %s-%s; valor : %2d",
     "%2d Negras : jogou : %s-%s; Puntuación : %2d; melhor : %s-%s; valor : %2d"},
    {"%2d White : played : %s-%s; score : %2d; best : %s-%s; score : %2d",
     "%2d Black : played : %s-%s; score : %2d; best : %s-%s; score : %2d"},
};

constexpr const char* SHORT_FORMS[4][2] = {
    {"%2d Blancs: %s-%s; score: %2d ; meilleur: %s-%s; score: %2d",
     "%2d Noirs : %s-%s; score: %2d ; meilleur: %s-%s; score: %2d"},
    {"%2d Brancas: %s-%s; valor : %2d; melhor : %s-%s; valor : %2d",
     "%2d Pretas : %s-%s; valor : %2d; melhor : %s-%s; valor : %2d"},
    {"%2d Blancas: %s-%s; Puntuación : %2d; melhor : %s-%s; valor : %2d",
     "%2d Negras : %s-%s; Puntuación : %2d; melhor : %s-%s; valor : %2d"},
    {"%2d White : %s-%s; score : %2d ; best : %s-%s; score : %2d",
     "%2d Black : %s-%s; score : %2d ; best : %s-%s; score : %2d"},
};

std::string fill(const char* format, const AnalysisLine& l) {
    char text[160];
    std::snprintf(text, sizeof text, format, l.move_number, label(l.played.from),
                  label(l.played.to), l.played_score, label(l.best.from), label(l.best.to),
                  l.best_score);
    return l.marked ? std::string("*") + text : std::string(text);
}

int mover_column(const AnalysisLine& l) {
    return l.mover == BLACK ? 1 : 0;
}

}  // namespace

std::string analysis_long_line(int language, const AnalysisLine& line) {
    std::string text = fill(LONG_FORMS[form_of(language)][mover_column(line)], line);
    if (line.marked) {
        text += " ->(";
        for (int k = 0; k < line.continuation; ++k)
            text += std::string(" ") + label(line.reply[k].from) + "-" + label(line.reply[k].to);
        text += " ....)";
    }
    return text;
}

std::string analysis_short_line(int language, const AnalysisLine& line) {
    return fill(SHORT_FORMS[form_of(language)][mover_column(line)], line);
}

const char* analysis_explanation(int language) {
    switch (form_of(language)) {
        case FR:
            return "(ne pas prendre en compte le dernier coup et les premiers). Attendre quelques "
                   "secondes - Analyse en cours";
        case PT:
            return "(nao considerar a primeira nem a ultima linha). Espere alguns segundos- "
                   "Analisando";
        default:
            return "(don't consider the last and the first moves). Wait a few second - Analysing";
    }
}

const char* analysis_legend(int language) {
    switch (form_of(language)) {
        case FR:
            return "+100 gagne un pion ; -100 perd un pion ; * en début de ligne indique qu'il y "
                   "avait un bien meilleur coup";
        case PT:
            return "+100 ganha uma peça ; -100 perde uma peça ; * no começo significa que existia "
                   "um lance melhor";
        default:
            return "+100 wins a man ; -100 loses a man ; * at the begining means that there was a "
                   "very better move";
    }
}

std::vector<std::string> analysis_long_lines(int language, const std::vector<AnalysisLine>& lines) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const AnalysisLine& l : lines) out.push_back(analysis_long_line(language, l));
    return out;
}

}  // namespace qv
