# Installing the game the way Debian lays out its games, and the .deb built
# from the same rules by CPack (cpack -G DEB in the build folder):
#   /usr/games/ritmuro                 what the player starts: a launcher that
#                                      runs the game in its pictures' folder
#   /usr/lib/games/ritmuro/ritmuro     the game itself
#   /usr/share/games/ritmuro/          the seven picture folders
#   the menu entry, the icons, the manual page ritmuro(6) and the copyright.

set(RITMURO_PASTA_JOGOS games)
set(RITMURO_PASTA_PROGRAMA lib/games/ritmuro)
set(RITMURO_PASTA_DADOS share/games/ritmuro)
set(RITMURO_PASTAS_DE_IMAGENS abertura cenario fileiras personagens sangue setas vidas)
set(RITMURO_PACOTE ${CMAKE_CURRENT_SOURCE_DIR}/pacote)
set(RITMURO_PACOTE_GERADO ${CMAKE_BINARY_DIR}/pacote)

# One version for the package, the manual page and the changelog: the
# changelog's latest entry.
file(STRINGS ${RITMURO_PACOTE}/changelog RITMURO_PRIMEIRA_LINHA LIMIT_COUNT 1)
string(REGEX REPLACE "^ritmuro \\(([^)]+)\\).*" "\\1" RITMURO_VERSAO "${RITMURO_PRIMEIRA_LINHA}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RITMURO_PACOTE}/changelog)

configure_file(${RITMURO_PACOTE}/ritmuro.in ${RITMURO_PACOTE_GERADO}/ritmuro @ONLY)
configure_file(${RITMURO_PACOTE}/ritmuro.6 ${RITMURO_PACOTE_GERADO}/ritmuro.6 @ONLY)

# Debian wants the manual page and the changelog compressed at the highest
# level, with no name or time stamp in the gzip header.
set(RITMURO_COMPRIMIDOS)
foreach(par "ritmuro.6|${RITMURO_PACOTE_GERADO}/ritmuro.6" "changelog|${RITMURO_PACOTE}/changelog")
  string(REPLACE "|" ";" par "${par}")
  list(GET par 0 nome)
  list(GET par 1 origem)
  add_custom_command(OUTPUT ${RITMURO_PACOTE_GERADO}/${nome}.gz
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${origem} ${RITMURO_PACOTE_GERADO}/${nome}.gz
    DEPENDS ${origem}
    VERBATIM)
  list(APPEND RITMURO_COMPRIMIDOS ${RITMURO_PACOTE_GERADO}/${nome}.gz)
endforeach()
add_custom_target(pacote_comprimidos ALL DEPENDS ${RITMURO_COMPRIMIDOS})

install(PROGRAMS ${RITMURO_PACOTE_GERADO}/ritmuro DESTINATION ${RITMURO_PASTA_JOGOS})
install(TARGETS ritmuro RUNTIME DESTINATION ${RITMURO_PASTA_PROGRAMA})
foreach(pasta ${RITMURO_PASTAS_DE_IMAGENS})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/data/${pasta} DESTINATION ${RITMURO_PASTA_DADOS}
    FILES_MATCHING PATTERN "*.bmp")
endforeach()
install(FILES ${RITMURO_PACOTE}/ritmuro.desktop DESTINATION share/applications)
# data/icones/ritmuro-<n>.png, drawn by the generator, is the n x n icon.
file(GLOB RITMURO_ICONES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/data/icones/ritmuro-*.png)
foreach(icone ${RITMURO_ICONES})
  string(REGEX REPLACE ".*ritmuro-([0-9]+)\\.png$" "\\1" lado "${icone}")
  install(FILES ${icone} DESTINATION share/icons/hicolor/${lado}x${lado}/apps RENAME ritmuro.png)
endforeach()
install(FILES ${RITMURO_PACOTE_GERADO}/ritmuro.6.gz DESTINATION share/man/man6)
install(FILES ${RITMURO_PACOTE}/copyright ${RITMURO_PACOTE_GERADO}/changelog.gz
  DESTINATION share/doc/ritmuro)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ritmuro)
set(CPACK_PACKAGE_VERSION ${RITMURO_VERSAO})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ritmuro developers <maintainers@users.noreply.c-seed-a29c4a3e.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: computed by dpkg-shlibdeps from what the game links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player arcade game of falling walls and rising arrows")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Two players share one keyboard. Rows of black walls fall down the middle
of the screen; each player walks a character left and right so that no
wall lands on its head. At the same time arrows rise in each player's own
lane, and the player answers them with four keys as they cross their
targets: hits score and heal, misses hurt, and long streaks multiply the
points.
.
Two stages, a night and a sunset, for one or two players, in a 640x480
window. Its menu and pictures are in Portuguese.")
include(CPack)
