# Writes a manual page from a program's own option list:
#   cmake -DPROGRAM=exe -DHELP=arg -DNAME=name -DSUMMARY=text -DDESCRIPTION=text
#         -DDATA=dir -DVERSION=v -DOUT=file -P man_page.cmake
# The program is run with HELP as its argument; what it prints (standard output or
# standard error) becomes the OPTIONS section, as printed.
execute_process(COMMAND ${PROGRAM} ${HELP} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${HELP} failed: ${status}")
endif()
set(options "${out}${err}")
# roff: a backslash is written "\e", a line must not start with "." or "'".
string(REPLACE "\\" "\\e" options "${options}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" options "${options}")
string(REPLACE "-" "\\-" options "${options}")
string(TOUPPER "${NAME}" upper)
file(WRITE ${OUT} ".TH ${upper} 6 \"\" \"${NAME} ${VERSION}\" \"Games\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH DESCRIPTION
${DESCRIPTION}
.SH OPTIONS
.nf
${options}.fi
.SH FILES
.TP
.I ${DATA}
The shipped data: pictures, sounds, endgame tables, default players, ratings, opening
lists and parameters, lessons and problems, help pages. Read only.
.TP
.I ~/.local/share/quorvel
The person's folder, made on the first start (readable by its owner only) with copies of
the default players (joueurs.dat), ratings (points.dat) and opening lists (ouvert_b.ouv,
ouvert_n.ouv). Every file the program writes goes here: the game left at the last exit
(last32.dam), saved games (Sauve), parameter and opening sets (Parametres), Bestmove.txt.
Files are read from here first, then from the shipped data.
.SH ENVIRONMENT
.TP
.B XDG_DATA_HOME
When set, the person's folder is
.IR $XDG_DATA_HOME/quorvel .
.SH LICENSE
GNU General Public License, version 3 or later (GPL\\-3.0\\-or\\-later).
")
