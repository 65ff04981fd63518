#include "lang/messages.h"

#include <cstdarg>
#include <cstdio>

#include "board/data_dir.h"

namespace qv {

namespace {

// French first, then English, Dutch, Portuguese, Spanish, Italian.
const MessageRow ROWS[] = {
    {Msg::WHITE_WINS,
     "WHITE_WINS",
     {"Gain des blancs", "White wins", "Wit wint", "Vitória das brancas", "Ganan las blancas",
      "Vince il bianco"}},
    {Msg::BLACK_WINS,
     "BLACK_WINS",
     {"Gain des noirs", "Black wins", "Zwart wint", "Vitória das pretas", "Ganan las negras",
      "Vince il nero"}},
    {Msg::COMPUTER_WON,
     "COMPUTER_WON",
     {"Désolé, QUORVEL a gagné", "Sorry, QUORVEL has won", "Helaas, QUORVEL heeft gewonnen",
      "Sinto muito, QUORVEL ganhou", "Lo siento, QUORVEL ha ganado",
      "Spiacente, QUORVEL ha vinto"}},
    {Msg::YOU_WON,
     "YOU_WON",
     {"Bravo, vous avez gagné", "Well done, you have won", "Bravo, u hebt gewonnen",
      "Parabéns, você ganhou", "Enhorabuena, ha ganado", "Bravo, hai vinto"}},
    {Msg::PLAYER_WINS,
     "PLAYER_WINS",
     {"%s gagne", "%s wins", "%s wint", "%s ganha", "%s gana", "%s vince"}},
    {Msg::DRAW, "DRAW", {"Match nul !", "Draw!", "Remise!", "Empate!", "¡Tablas!", "Patta!"}},
    {Msg::TIME_OUT_COMPUTER_WINS,
     "TIME_OUT_COMPUTER_WINS",
     {"Temps dépassé, gain QUORVEL", "Time is up, QUORVEL wins", "Tijd overschreden, QUORVEL wint",
      "Tempo esgotado, QUORVEL ganha", "Tiempo agotado, gana QUORVEL",
      "Tempo scaduto, vince QUORVEL"}},
    {Msg::TIME_OUT_YOU_WIN,
     "TIME_OUT_YOU_WIN",
     {"Temps dépassé, vous gagnez", "Time is up, you win", "Tijd overschreden, u wint",
      "Tempo esgotado, você ganha", "Tiempo agotado, usted gana", "Tempo scaduto, hai vinto"}},
    {Msg::YOU_RESIGN,
     "YOU_RESIGN",
     {"Vous abandonnez, gain QUORVEL", "You resign, QUORVEL wins", "U geeft op, QUORVEL wint",
      "Você abandona, QUORVEL ganha", "Usted abandona, gana QUORVEL", "Abbandoni, vince QUORVEL"}},
    {Msg::RATING_CHANGE,
     "RATING_CHANGE",
     {"%s passe de %4d à %4d", "%s goes from %4d to %4d", "%s gaat van %4d naar %4d",
      "%s passa de %4d a %4d", "%s pasa de %4d a %4d", "%s passa da %4d a %4d"}},

    {Msg::ERROR_TITLE, "ERROR_TITLE", {"Erreur", "Error", "Fout", "Erro", "Error", "Errore"}},
    {Msg::CANNOT_OPEN_FILE,
     "CANNOT_OPEN_FILE",
     {"Impossible d'ouvrir ce fichier", "Cannot open this file", "Kan dit bestand niet openen",
      "Não é possível abrir este arquivo", "No se puede abrir este archivo",
      "Impossibile aprire questo file"}},
    {Msg::OUT_OF_MEMORY,
     "OUT_OF_MEMORY",
     {"Allocation mémoire", "Memory allocation", "Geheugentoewijzing", "Alocação de memória",
      "Asignación de memoria", "Allocazione di memoria"}},
    {Msg::HASH_TABLES_ALLOCATION,
     "HASH_TABLES_ALLOCATION",
     {"Erreur allocation Hash tables", "Hash tables allocation error",
      "Fout bij toewijzing hashtabellen", "Erro de alocação das tabelas hash",
      "Error de asignación de tablas hash", "Errore di allocazione tabelle hash"}},

    {Msg::USER_FOLDER_NOT_MADE,
     "USER_FOLDER_NOT_MADE",
     {"Impossible de créer le dossier %s : les parties, les joueurs et les réglages ne "
      "pourront pas être enregistrés.",
      "Cannot create the folder %s: games, players and settings cannot be saved.",
      "Kan de map %s niet aanmaken: partijen, spelers en instellingen kunnen niet worden "
      "bewaard.",
      "Não é possível criar a pasta %s: partidas, jogadores e configurações não poderão ser "
      "salvos.",
      "No se puede crear la carpeta %s: las partidas, los jugadores y los ajustes no se podrán "
      "guardar.",
      "Impossibile creare la cartella %s: partite, giocatori e impostazioni non potranno "
      "essere salvati."}},
    {Msg::DATA_FILES_MISSING,
     "DATA_FILES_MISSING",
     {"Fichiers de données manquants dans %s : %s", "Data files missing from %s: %s",
      "Ontbrekende gegevensbestanden in %s: %s", "Arquivos de dados ausentes em %s: %s",
      "Faltan archivos de datos en %s: %s", "File di dati mancanti in %s: %s"}},
    {Msg::FILTER_GAME_FILES,
     "FILTER_GAME_FILES",
     {"Fichiers Quorvel", "Quorvel files", "Quorvel-bestanden", "Arquivos Quorvel",
      "Archivos Quorvel", "File Quorvel"}},
    {Msg::FILTER_TEXT_FILES,
     "FILTER_TEXT_FILES",
     {"Fichiers texte", "Text files", "Tekstbestanden", "Arquivos de texto", "Archivos de texto",
      "File di testo"}},
    {Msg::FILTER_COMMENT_FILES,
     "FILTER_COMMENT_FILES",
     {"Fichiers commentaires", "Commentary files", "Commentaarbestanden", "Arquivos de comentários",
      "Archivos de comentarios", "File di commento"}},
    {Msg::FILTER_DOC_FILES,
     "FILTER_DOC_FILES",
     {"Fichiers doc", "Doc files", "Doc-bestanden", "Arquivos doc", "Archivos doc", "File doc"}},
    {Msg::FILTER_DYNAMO_FILES,
     "FILTER_DYNAMO_FILES",
     {"Fichiers Dynamo", "Dynamo files", "Dynamo-bestanden", "Arquivos Dynamo", "Archivos Dynamo",
      "File Dynamo"}},
    {Msg::FILTER_PICTURES,
     "FILTER_PICTURES",
     {"Image", "Picture", "Afbeelding", "Imagem", "Imagen", "Immagine"}},
    {Msg::FILTER_OPENING_SETS,
     "FILTER_OPENING_SETS",
     {"Fichiers d'ouvertures", "Opening files", "Openingsbestanden", "Arquivos de aberturas",
      "Archivos de aperturas", "File di aperture"}},
    {Msg::FILTER_LEARNING_FILES,
     "FILTER_LEARNING_FILES",
     {"Fichiers d'apprentissage", "Learning files", "Leerbestanden", "Arquivos de aprendizagem",
      "Archivos de aprendizaje", "File di apprendimento"}},
    {Msg::FILTER_PARAMETER_FILES,
     "FILTER_PARAMETER_FILES",
     {"Fichiers de paramètres", "Parameter files", "Parameterbestanden", "Arquivos de parâmetros",
      "Archivos de parámetros", "File di parametri"}},

    {Msg::WINDOW_TITLE,
     "WINDOW_TITLE",
     {"Quorvel 3D, le jeu", "Quorvel 3D, the game", "Quorvel 3D, the game", "Quorvel 3D, o jogo",
      "Quorvel 3D, el juego", "Quorvel 3D, il gioco"}},
    {Msg::INTRO_VERSION,
     "INTRO_VERSION",
     {"Dames italiennes - version %s", "Italian draughts - version %s",
      "Italiaans dammen - versie %s", "Damas italianas - versão %s", "Damas italianas - versión %s",
      "Dama italiana - versione %s"}},
    {Msg::INTRO_BOARD_2D,
     "INTRO_BOARD_2D",
     {"Damier 2D", "2D board", "2D-dambord", "Tabuleiro 2D", "Tablero 2D", "Damiera 2D"}},
    {Msg::INTRO_THEME_CLASSIC,
     "INTRO_THEME_CLASSIC",
     {"Classique", "Classic", "Classic", "Clássico", "Clásico", "Classico"}},
    {Msg::INTRO_THEME_NIGHT,
     "INTRO_THEME_NIGHT",
     {"Nuit", "Night", "Night", "Noite", "Noche", "Notte"}},
    {Msg::INTRO_THEME_LUXE,
     "INTRO_THEME_LUXE",
     {"Luxe", "DeLuxe", "DeLuxe", "Luxo", "Lujo", "DeLuxe"}},
    {Msg::INTRO_THEME_GRAND_LUXE,
     "INTRO_THEME_GRAND_LUXE",
     {"Grand luxe", "DeLuxe++", "DeLuxe++", "Luxo++", "Gran lujo", "DeLuxe++"}},
    {Msg::THEME_VENICE,
     "THEME_VENICE",
     {"Venise", "Venice", "Venice", "Venezia", "Venecia", "Venezia"}},
    {Msg::SCREEN_ADVICE_1,
     "SCREEN_ADVICE_1",
     {"Vos parties, vos joueurs et vos réglages sont enregistrés dans :",
      "Your games, players and settings are saved in:",
      "Uw partijen, spelers en instellingen worden bewaard in:",
      "Suas partidas, jogadores e configurações são salvos em:",
      "Sus partidas, jugadores y ajustes se guardan en:",
      "Le vostre partite, i giocatori e le impostazioni sono salvati in:"}},
    {Msg::SCREEN_ADVICE_2,
     "SCREEN_ADVICE_2",
     {"Si la fenêtre ne tient pas sur l'écran, lancez le programme avec QT_SCALE_FACTOR=0.8 "
      "(par exemple) dans l'environnement.",
      "If the window does not fit on the screen, start the program with QT_SCALE_FACTOR=0.8 "
      "(for example) in its environment.",
      "Als het venster niet op het scherm past, start het programma dan met "
      "QT_SCALE_FACTOR=0.8 (bijvoorbeeld) in de omgeving.",
      "Se a janela não cabe na tela, inicie o programa com QT_SCALE_FACTOR=0.8 (por exemplo) "
      "no ambiente.",
      "Si la ventana no cabe en la pantalla, inicie el programa con QT_SCALE_FACTOR=0.8 (por "
      "ejemplo) en el entorno.",
      "Se la finestra non entra nello schermo, avviate il programma con QT_SCALE_FACTOR=0.8 "
      "(per esempio) nell'ambiente."}},
    {Msg::OPEN_VOG_FILE,
     "OPEN_VOG_FILE",
     {"Ouvrir un fichier VOG", "Open a VOG file", "VOG-bestand openen", "Abrir um arquivo VOG",
      "Abrir un archivo VOG", "Apri un file VOG"}},

    {Msg::MOVE_COUNTER,
     "MOVE_COUNTER",
     {"Coups : %d", "Moves: %d", "Zetten: %d", "Lances: %d", "Jugadas: %d", "Mosse: %d"}},
    {Msg::MINUTES, "MINUTES", {"minutes", "minutes", "minuten", "minutos", "minutos", "minuti"}},
    {Msg::NAMES_WHITE,
     "NAMES_WHITE",
     {"Blancs :", "White:", "Wit:", "Brancas:", "Blancas:", "Bianco:"}},
    {Msg::NAMES_BLACK,
     "NAMES_BLACK",
     {"Noirs :", "Black:", "Zwart:", "Pretas:", "Negras:", "Nero:"}},

    {Msg::PROGRESS_DEPTH,
     "PROGRESS_DEPTH",
     {"Profondeur : %5d", "Depth: %5d", "Diepte: %5d", "Profundidade: %5d", "Profundidad: %5d",
      "Profondità: %5d"}},
    {Msg::PROGRESS_NODES,
     "PROGRESS_NODES",
     {"Noeuds : %8d", "Nodes: %8d", "Knopen: %8d", "Nós: %8d", "Nodos: %8d", "Nodi: %8d"}},
    {Msg::PROGRESS_TIME,
     "PROGRESS_TIME",
     {"Temps : %6d s", "Time: %6d s", "Tijd: %6d s", "Tempo: %6d s", "Tiempo: %6d s",
      "Tempo: %6d s"}},
    {Msg::PROGRESS_NODE_RATE,
     "PROGRESS_NODE_RATE",
     {"Noeuds/s : %8d", "Nodes/s: %8d", "Knopen/s: %8d", "Nós/s: %8d", "Nodos/s: %8d",
      "Nodi/s: %8d"}},
    {Msg::PROGRESS_NODE_RATE_NONE,
     "PROGRESS_NODE_RATE_NONE",
     {"Noeuds/s : //", "Nodes/s: //", "Knopen/s: //", "Nós/s: //", "Nodos/s: //", "Nodi/s: //"}},
    {Msg::PROGRESS_SCORE,
     "PROGRESS_SCORE",
     {"Score : %5d", "Score: %5d", "Score: %5d", "Valor: %5d", "Puntuación: %5d",
      "Punteggio: %5d"}},
    {Msg::PROGRESS_MOVE,
     "PROGRESS_MOVE",
     {"Coups : %3d", "Moves: %3d", "Zetten: %3d", "Lances: %3d", "Jugadas: %3d", "Mosse: %3d"}},

    {Msg::PLACE_PIECES,
     "PLACE_PIECES",
     {"PLACEZ LES PIONS", "PLACE THE PIECES", "ZET DE STUKKEN", "COLOQUE AS PEÇAS",
      "COLOQUE LAS PIEZAS", "DISPONI I PEZZI"}},
    {Msg::TIP_WHITE_MAN,
     "TIP_WHITE_MAN",
     {"Pion blanc", "White man", "Witte schijf", "Pedra branca", "Peón blanco", "Pedina bianca"}},
    {Msg::TIP_WHITE_KING,
     "TIP_WHITE_KING",
     {"Dame blanche", "White king", "Witte dam", "Dama branca", "Dama blanca", "Dama bianca"}},
    {Msg::TIP_BLACK_MAN,
     "TIP_BLACK_MAN",
     {"Pion noir", "Black man", "Zwarte schijf", "Pedra preta", "Peón negro", "Pedina nera"}},
    {Msg::TIP_BLACK_KING,
     "TIP_BLACK_KING",
     {"Dame noire", "Black king", "Zwarte dam", "Dama preta", "Dama negra", "Dama nera"}},
    {Msg::TIP_EMPTY_SQUARE,
     "TIP_EMPTY_SQUARE",
     {"Case vide", "Empty square", "Leeg veld", "Casa vazia", "Casilla vacía", "Casella vuota"}},
    {Msg::TIP_PIECE_CHOSEN,
     "TIP_PIECE_CHOSEN",
     {"Indique le type pion sélectionné", "Shows the piece chosen", "Toont het gekozen stuk",
      "Mostra a peça escolhida", "Muestra la pieza elegida", "Mostra il pezzo scelto"}},
    {Msg::SHORT_EMPTY, "SHORT_EMPTY", {"vide", "empty", "leeg", "vazia", "vacía", "vuota"}},
    {Msg::SHORT_WHITE_MAN,
     "SHORT_WHITE_MAN",
     {"pion B", "man W", "schijf W", "pedra B", "peón B", "pedina B"}},
    {Msg::SHORT_WHITE_KING,
     "SHORT_WHITE_KING",
     {"dame B", "king W", "dam W", "dama B", "dama B", "dama B"}},
    {Msg::SHORT_BLACK_MAN,
     "SHORT_BLACK_MAN",
     {"pion N", "man B", "schijf Z", "pedra P", "peón N", "pedina N"}},
    {Msg::SHORT_BLACK_KING,
     "SHORT_BLACK_KING",
     {"dame N", "king B", "dam Z", "dama P", "dama N", "dama N"}},
    {Msg::STATIC_EVAL_WHITE,
     "STATIC_EVAL_WHITE",
     {"Eval stat blancs:%4d", "Static eval White:%4d", "Statische eval wit:%4d",
      "Aval. estática brancas:%4d", "Eval. estática blancas:%4d", "Val. statica bianco:%4d"}},
    {Msg::STATIC_EVAL_BLACK,
     "STATIC_EVAL_BLACK",
     {"Eval stat noirs:%4d", "Static eval Black:%4d", "Statische eval zwart:%4d",
      "Aval. estática pretas:%4d", "Eval. estática negras:%4d", "Val. statica nero:%4d"}},

    {Msg::TIP_ADD_OPENING,
     "TIP_ADD_OPENING",
     {"Ajouter l'ouverture ci-dessus dans la liste ci-dessous",
      "Add the opening above to the list below", "De opening hierboven aan de lijst toevoegen",
      "Adicionar a abertura acima à lista abaixo", "Añadir la apertura de arriba a la lista",
      "Aggiungi l'apertura qui sopra all'elenco"}},
    {Msg::TIP_REPLACE_OPENING,
     "TIP_REPLACE_OPENING",
     {"Remplacer l'ouverture choisie dessous par celle ci-dessus",
      "Replace the opening chosen below by the one above",
      "De gekozen opening hieronder vervangen door die hierboven",
      "Substituir a abertura escolhida abaixo pela de cima",
      "Reemplazar la apertura elegida abajo por la de arriba",
      "Sostituisci l'apertura scelta sotto con quella sopra"}},
    {Msg::TIP_DELETE_OPENING,
     "TIP_DELETE_OPENING",
     {"Effacer l'ouverture ci-dessus (et la même dessous)",
      "Delete the opening above (and the same one below)",
      "De opening hierboven wissen (en dezelfde hieronder)",
      "Apagar a abertura acima (e a mesma abaixo)",
      "Borrar la apertura de arriba (y la misma de abajo)",
      "Cancella l'apertura qui sopra (e la stessa sotto)"}},
    {Msg::HINT_TO_START,
     "HINT_TO_START",
     {"Revenir au début", "Back to the start", "Naar het begin", "Voltar ao início",
      "Volver al inicio", "Torna all'inizio"}},
    {Msg::HINT_BACK_ONE,
     "HINT_BACK_ONE",
     {"Reculer d'un coup", "One move back", "Eén zet terug", "Voltar um lance",
      "Retroceder una jugada", "Indietro di una mossa"}},
    {Msg::HINT_FORWARD_ONE,
     "HINT_FORWARD_ONE",
     {"Avancer d'un coup", "One move forward", "Eén zet vooruit", "Avançar um lance",
      "Avanzar una jugada", "Avanti di una mossa"}},
    {Msg::HINT_TO_END,
     "HINT_TO_END",
     {"Aller à la fin", "Go to the end", "Naar het einde", "Ir para o fim", "Ir al final",
      "Vai alla fine"}},
    {Msg::REFUSED_MINUTES,
     "REFUSED_MINUTES",
     {"Entrez un nombre entier de minutes, 1 ou plus.",
      "Enter a whole number of minutes, 1 or more.",
      "Voer een geheel aantal minuten in, 1 of meer.",
      "Digite um número inteiro de minutos, 1 ou mais.",
      "Escriba un número entero de minutos, 1 o más.",
      "Inserisci un numero intero di minuti, 1 o più."}},
    {Msg::REFUSED_NAME_MISSING,
     "REFUSED_NAME_MISSING",
     {"Entrez un nom.", "Enter a name.", "Voer een naam in.", "Digite um nome.",
      "Escriba un nombre.", "Inserisci un nome."}},
    {Msg::REFUSED_SAME_NAMES,
     "REFUSED_SAME_NAMES",
     {"Les deux joueurs doivent avoir des noms différents.",
      "The two players need different names.", "De twee spelers moeten verschillende namen hebben.",
      "Os dois jogadores precisam de nomes diferentes.",
      "Los dos jugadores necesitan nombres distintos.",
      "I due giocatori devono avere nomi diversi."}},
    {Msg::REFUSED_COMPUTER_NOT_A_PERSON,
     "REFUSED_COMPUTER_NOT_A_PERSON",
     {"Quorvel est l'ordinateur : choisissez une personne.",
      "Quorvel is the computer: choose a person.", "Quorvel is de computer: kies een persoon.",
      "Quorvel é o computador: escolha uma pessoa.",
      "Quorvel es el ordenador: elija a una persona.",
      "Quorvel è il calcolatore: scegli una persona."}},
    {Msg::REFUSED_DELETE_COMPUTER,
     "REFUSED_DELETE_COMPUTER",
     {"Quorvel est l'ordinateur : il ne peut pas être effacé.",
      "Quorvel is the computer: it cannot be deleted.",
      "Quorvel is de computer: die kan niet worden gewist.",
      "Quorvel é o computador: não pode ser apagado.",
      "Quorvel es el ordenador: no se puede borrar.",
      "Quorvel è il calcolatore: non può essere cancellato."}},
    {Msg::REFUSED_NO_PLAYER_CHOSEN,
     "REFUSED_NO_PLAYER_CHOSEN",
     {"Choisissez d'abord un joueur dans la liste.", "First choose a player in the list.",
      "Kies eerst een speler uit de lijst.", "Escolha primeiro um jogador da lista.",
      "Elija primero un jugador de la lista.", "Scegli prima un giocatore dall'elenco."}},
    {Msg::BESTMOVE_WRITTEN,
     "BESTMOVE_WRITTEN",
     {"%d lignes du calcul écrites dans %s", "%d lines of the calculation written to %s",
      "%d regels van de berekening geschreven naar %s", "%d linhas do cálculo gravadas em %s",
      "%d líneas del cálculo escritas en %s", "%d righe del calcolo scritte in %s"}},
    {Msg::BESTMOVE_NOTHING,
     "BESTMOVE_NOTHING",
     {"Rien n'a été écrit : la liste du calcul est vide, l'ordinateur n'a pas encore réfléchi.",
      "Nothing was written: the calculation list is empty, the computer has not thought yet.",
      "Er is niets geschreven: de berekeningslijst is leeg, de computer heeft nog niet "
      "nagedacht.",
      "Nada foi gravado: a lista do cálculo está vazia, o computador ainda não pensou.",
      "No se ha escrito nada: la lista del cálculo está vacía, el ordenador aún no ha pensado.",
      "Non è stato scritto nulla: l'elenco del calcolo è vuoto, il calcolatore non ha ancora "
      "pensato."}},
    {Msg::WHITE_TO_MOVE,
     "WHITE_TO_MOVE",
     {"Les Blancs jouent", "White to move", "Wit aan zet", "Jogam as brancas", "Juegan las blancas",
      "Muove il bianco"}},
    {Msg::BLACK_TO_MOVE,
     "BLACK_TO_MOVE",
     {"Les Noirs jouent", "Black to move", "Zwart aan zet", "Jogam as pretas", "Juegan las negras",
      "Muove il nero"}},
};

static_assert(sizeof ROWS / sizeof ROWS[0] == MESSAGE_COUNT, "one row per identifier");

}  // namespace

std::span<const MessageRow> message_rows() {
    return ROWS;
}

const char* message(Msg id, int language) {
    const int i = static_cast<int>(id);
    if (i < 0 || i >= MESSAGE_COUNT) return "";
    if (language < 0 || language >= LANGUAGE_COUNT) language = 0;
    return ROWS[i].text[language];
}

std::string format_message(Msg id, int language, ...) {
    const char* format = message(id, language);
    va_list args;
    va_start(args, language);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

std::vector<std::string> data_folder_report(bool folder_made,
                                            const std::vector<std::string>& missing, int language) {
    std::vector<std::string> lines;
    if (!folder_made)
        lines.push_back(format_message(Msg::USER_FOLDER_NOT_MADE, language, user_dir().c_str()));
    if (missing.empty()) return lines;
    std::string names;
    for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
    lines.push_back(
        format_message(Msg::DATA_FILES_MISSING, language, program_dir().c_str(), names.c_str()));
    return lines;
}

int language_of_code(std::string_view code) {
    const char* codes[LANGUAGE_COUNT] = {"fr", "en", "nl", "pt", "es", "it"};
    for (int l = 0; l < LANGUAGE_COUNT; ++l)
        if (code == codes[l]) return l;
    return -1;
}

}  // namespace qv
