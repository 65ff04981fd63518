# Installation and the Debian package. The Debian layout for games: the programs in
# <prefix>/games, their data in <prefix>/share/games/quorvel, where the programs find it
# from their own folder. Only the two programs, their data and the desktop files are
# installed: no generators, benchmarks or tuning tools.
set(QUORVEL_INSTALL_BINDIR games)
set(QUORVEL_INSTALL_DATADIR share/games/quorvel)
set(QUORVEL_APP_ID org.quorvel.Quorvel CACHE STRING "AppStream and desktop entry identifier")
set(QUORVEL_HOMEPAGE https://quorvel.org CACHE STRING
    "Project address; the screenshots are published under <address>/screenshots")
set(QUORVEL_MAINTAINER "Quorvel developers <maintainers@quorvel.org>" CACHE STRING
    "Package maintainer")

install(TARGETS quorvel-cli RUNTIME DESTINATION ${QUORVEL_INSTALL_BINDIR})
if(TARGET quorvel)
    install(TARGETS quorvel RUNTIME DESTINATION ${QUORVEL_INSTALL_BINDIR})
endif()

# The shipped data: what the generators and data/ship put into the program's folder. The
# folder also holds the build's executables and whatever a portable run wrote there
# (last32.dam, Bestmove.txt, Sauve): those are left out.
install(DIRECTORY ${QUORVEL_DATA_DIR}/ DESTINATION ${QUORVEL_INSTALL_DATADIR}
    FILES_MATCHING
    PATTERN "*.chb" PATTERN "*.ita" PATTERN "*.wav" PATTERN "*.bmp" PATTERN "*.BMP"
    PATTERN "*.Bmp" PATTERN "hashkey33.dat" PATTERN "ital.dat" PATTERN "joueurs.dat"
    PATTERN "points.dat" PATTERN "ouvert_b.ouv" PATTERN "ouvert_n.ouv" PATTERN "defaut.par"
    REGEX "/(Problemes|help|icons)/[^/]+$"
    PATTERN "Sauve" EXCLUDE PATTERN "screenshots" EXCLUDE)

# Desktop integration: menu entry, AppStream description, icons, manual pages.
set(DESKTOP ${PROJECT_SOURCE_DIR}/data/desktop)
set(GENERATED ${PROJECT_BINARY_DIR}/desktop)
set(QUORVEL_EXEC ${CMAKE_INSTALL_PREFIX}/${QUORVEL_INSTALL_BINDIR}/quorvel)
configure_file(${DESKTOP}/quorvel.desktop.in ${GENERATED}/${QUORVEL_APP_ID}.desktop @ONLY)
configure_file(${DESKTOP}/quorvel.metainfo.xml.in ${GENERATED}/${QUORVEL_APP_ID}.metainfo.xml
               @ONLY)
configure_file(${DESKTOP}/changelog.in ${GENERATED}/changelog @ONLY)
if(TARGET quorvel)
    install(FILES ${GENERATED}/${QUORVEL_APP_ID}.desktop DESTINATION share/applications)
    install(FILES ${GENERATED}/${QUORVEL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${QUORVEL_DATA_DIR}/icons/quorvel_${size}.png
                DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quorvel.png)
    endforeach()
endif()

# The Debian changelog and copyright, compressed without a timestamp.
add_custom_command(OUTPUT ${GENERATED}/changelog.gz
    COMMAND gzip -9nkf ${GENERATED}/changelog
    DEPENDS ${GENERATED}/changelog VERBATIM)
set(MAN_PAGES ${GENERATED}/changelog.gz)

# Manual pages from each program's own option list.
function(quorvel_man_page program help summary description)
    set(page ${GENERATED}/${program}.6)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DHELP=${help}
                -DNAME=${program} -DSUMMARY=${summary} -DDESCRIPTION=${description}
                -DDATA=${CMAKE_INSTALL_PREFIX}/${QUORVEL_INSTALL_DATADIR}
                -DVERSION=${PROJECT_VERSION} -DOUT=${page}
                -P ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake
        COMMAND gzip -9nf ${page}
        DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake VERBATIM)
    install(FILES ${page}.gz DESTINATION share/man/man6)
    set(MAN_PAGES ${MAN_PAGES} ${page}.gz PARENT_SCOPE)
endfunction()
quorvel_man_page(quorvel-cli help "Italian draughts engine on the command line"
    "Runs the engine of Quorvel without a window: move generation counts, legal moves, the \
evaluation and the search of a position, matches between two settings, endgame tables, \
conversion, display and analysis of game files.")
if(TARGET quorvel)
    quorvel_man_page(quorvel --help "Italian draughts"
        "Quorvel plays Italian draughts (dama italiana) in a window: against the computer, \
two people on one board, or the computer against itself, with clocks, rated players, \
lessons and problems, opening lists and the analysis of a game.")
endif()
add_custom_target(quorvel_man_pages ALL DEPENDS ${MAN_PAGES})
install(FILES ${GENERATED}/changelog.gz ${DESKTOP}/copyright DESTINATION share/doc/quorvel)

# scripts/package.sh: cpack -G DEB in the release tree.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QUORVEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Italian draughts against the computer")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel plays Italian draughts (dama italiana): against the computer at nine\n\
levels or with a time control, two people on one board, or the computer against\n\
itself. Flat and perspective boards, clocks, rated players, saved games, text\n\
and PDN files, lessons and problems, opening lists and a move-by-move analysis\n\
of a game, in six languages. quorvel-cli runs the engine without a window.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs (files, printing) in the interface language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
