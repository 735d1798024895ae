# The game's version has one source: the latest entry of the Debian
# changelog, debian/changelog. Sets RITMURO_CHANGELOG, RITMURO_VERSAO, the upstream version without epoch or Debian
# revision (1.0.0), and RITMURO_VERSAO_NUMEROS, the four numbers Windows'
# version resource wants (1,0,0,0).
set(RITMURO_CHANGELOG ${CMAKE_SOURCE_DIR}/debian/changelog)
if(NOT EXISTS ${RITMURO_CHANGELOG})
  message(FATAL_ERROR "no ${RITMURO_CHANGELOG}: the version comes from there")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RITMURO_CHANGELOG})

file(STRINGS ${RITMURO_CHANGELOG} RITMURO_PRIMEIRA_LINHA LIMIT_COUNT 1)
if(NOT RITMURO_PRIMEIRA_LINHA MATCHES "^ritmuro \\(([0-9]+:)?([0-9]+(\\.[0-9]+)*)(-[^)]*)?\\)")
  message(FATAL_ERROR "${RITMURO_CHANGELOG}: first line '${RITMURO_PRIMEIRA_LINHA}' "
    "is not 'ritmuro (X.Y.Z...) ...' with a numeric upstream version")
endif()
set(RITMURO_VERSAO ${CMAKE_MATCH_2})

string(REPLACE "." ";" RITMURO_VERSAO_NUMEROS "${RITMURO_VERSAO}.0.0.0")
list(SUBLIST RITMURO_VERSAO_NUMEROS 0 4 RITMURO_VERSAO_NUMEROS)
string(REPLACE ";" "," RITMURO_VERSAO_NUMEROS "${RITMURO_VERSAO_NUMEROS}")
