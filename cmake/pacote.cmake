# Installing the game the way Debian lays out its games (cmake --install;
# debian/rules installs through it and splits the result into the packages
# ritmuro and ritmuro-data):
#   /usr/games/ritmuro                 what the player starts: a launcher that
#                                      runs the game in its pictures' folder
#   /usr/lib/games/ritmuro/ritmuro     the game itself
#   /usr/share/games/ritmuro/          the seven picture folders
#   the menu entry, the icons, the manual page ritmuro(6) and the AppStream
#   metadata software centres read. The copyright and the changelog are the
#   packages' own (debian/).

set(RITMURO_PASTA_JOGOS games)
set(RITMURO_PASTA_PROGRAMA lib/games/ritmuro)
set(RITMURO_PASTA_DADOS share/games/ritmuro)
# The picture folders: those of the paths the game loads (src/imagens.h, and
# the health bar's own in src/Sangue.h), as scripts/lib/comum.sh reads them.
set(RITMURO_PASTAS_DE_IMAGENS)
foreach(cabecalho src/imagens.h src/Sangue.h)
  file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${cabecalho} linhas REGEX "\"\\./[a-z]+/")
  string(REGEX MATCHALL "\"\\./[a-z]+/" caminhos "${linhas}")
  foreach(caminho ${caminhos})
    string(REGEX REPLACE "\"\\./([a-z]+)/" "\\1" pasta "${caminho}")
    list(APPEND RITMURO_PASTAS_DE_IMAGENS ${pasta})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES RITMURO_PASTAS_DE_IMAGENS)
list(SORT RITMURO_PASTAS_DE_IMAGENS)
set(RITMURO_PACOTE ${CMAKE_CURRENT_SOURCE_DIR}/pacote)
set(RITMURO_PACOTE_GERADO ${CMAKE_BINARY_DIR}/pacote)

# The project's home (also the Homepage of debian/control), and the AppStream
# ids of its developers and of the game, made from its domain (reversed,
# hyphens as underscores). The screenshots
# are docs/ of each release, published there under the version.
set(RITMURO_DOMINIO c-seed-a29c4a3e.example)
set(RITMURO_URL https://${RITMURO_DOMINIO}/ritmuro)
set(RITMURO_ID_DESENVOLVEDORES example.c_seed_a29c4a3e)
set(RITMURO_ID ${RITMURO_ID_DESENVOLVEDORES}.ritmuro)

# One version and one date for the manual page and the metadata: the latest
# entry of the Debian changelog, e.g.
#   ritmuro (1.0.0) unstable; urgency=medium
#    -- Name <address>  Tue, 08 Dec 2026 12:00:00 +0000
include(${CMAKE_CURRENT_LIST_DIR}/versao.cmake)
file(STRINGS ${RITMURO_CHANGELOG} RITMURO_LINHA_DA_DATA REGEX "^ -- .*>  " LIMIT_COUNT 1)
string(REGEX REPLACE ".*>  " "" RITMURO_DATA_DO_CHANGELOG "${RITMURO_LINHA_DA_DATA}")
# 2026-12-08 for AppStream, December 2026 for the manual page.
foreach(par "RITMURO_DATA|%F" "RITMURO_MES_DA_VERSAO|%B %Y")
  string(REPLACE "|" ";" par "${par}")
  list(GET par 0 variavel)
  list(GET par 1 formato)
  execute_process(COMMAND env LC_ALL=C date -u -d "${RITMURO_DATA_DO_CHANGELOG}" "+${formato}"
    OUTPUT_VARIABLE ${variavel} OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE codigo)
  if(NOT codigo EQUAL 0)
    message(FATAL_ERROR "${RITMURO_CHANGELOG}: no date in the latest entry's trailer line")
  endif()
endforeach()

configure_file(${RITMURO_PACOTE}/ritmuro.in ${RITMURO_PACOTE_GERADO}/ritmuro @ONLY)
configure_file(${RITMURO_PACOTE}/ritmuro.6 ${RITMURO_PACOTE_GERADO}/ritmuro.6 @ONLY)
configure_file(${RITMURO_PACOTE}/ritmuro.metainfo.xml ${RITMURO_PACOTE_GERADO}/${RITMURO_ID}.metainfo.xml @ONLY)

install(PROGRAMS ${RITMURO_PACOTE_GERADO}/ritmuro DESTINATION ${RITMURO_PASTA_JOGOS})
install(TARGETS ritmuro RUNTIME DESTINATION ${RITMURO_PASTA_PROGRAMA})
foreach(pasta ${RITMURO_PASTAS_DE_IMAGENS})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/data/${pasta} DESTINATION ${RITMURO_PASTA_DADOS}
    FILES_MATCHING PATTERN "*.bmp")
endforeach()
install(FILES ${RITMURO_PACOTE}/ritmuro.desktop DESTINATION share/applications)
install(FILES ${RITMURO_PACOTE_GERADO}/${RITMURO_ID}.metainfo.xml DESTINATION share/metainfo)
# data/icones/ritmuro-<n>.png, drawn by the generator, is the n x n icon.
file(GLOB RITMURO_ICONES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/data/icones/ritmuro-*.png)
foreach(icone ${RITMURO_ICONES})
  string(REGEX REPLACE ".*ritmuro-([0-9]+)\\.png$" "\\1" lado "${icone}")
  install(FILES ${icone} DESTINATION share/icons/hicolor/${lado}x${lado}/apps RENAME ritmuro.png)
endforeach()
install(FILES ${RITMURO_PACOTE_GERADO}/ritmuro.6 DESTINATION share/man/man6)
