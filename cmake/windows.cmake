# The Windows exe (included for mingw builds, after the targets): its
# resources - the icon, the version details and the application manifest -
# and the same bytes from the same source, whatever the folder it is built
# in, the time, umask or locale.
include(${CMAKE_CURRENT_LIST_DIR}/versao.cmake)
enable_language(RC)
set(RITMURO_WINDOWS ${CMAKE_SOURCE_DIR}/src/windows)
set(RITMURO_WINDOWS_GERADO ${CMAKE_BINARY_DIR}/windows)

# Copyright holders and licence as the copyright file states them (its first
# paragraph of files).
set(RITMURO_COPYRIGHT ${CMAKE_SOURCE_DIR}/debian/copyright)
file(STRINGS ${RITMURO_COPYRIGHT} RITMURO_DIREITOS REGEX "^Copyright: " LIMIT_COUNT 1)
file(STRINGS ${RITMURO_COPYRIGHT} RITMURO_LICENCA REGEX "^License: " LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RITMURO_COPYRIGHT})
string(REGEX REPLACE "^Copyright: *" "" RITMURO_DIREITOS "${RITMURO_DIREITOS}")
string(REGEX REPLACE "^License: *" "" RITMURO_LICENCA "${RITMURO_LICENCA}")
string(REGEX REPLACE "^[0-9, -]+ *" "" RITMURO_AUTORES "${RITMURO_DIREITOS}")
if(NOT RITMURO_AUTORES OR NOT RITMURO_LICENCA)
  message(FATAL_ERROR "no 'Copyright:' and 'License:' lines in ${RITMURO_COPYRIGHT}")
endif()

# One .ico of the generator's own pictures: 16 to 48 px as 32-bit pictures
# with their transparency, 256 px kept as the PNG it is.
find_program(RITMURO_ICOTOOL icotool)
if(NOT RITMURO_ICOTOOL)
  message(FATAL_ERROR "icotool not found: install the Debian package icoutils")
endif()
set(RITMURO_ICO ${RITMURO_WINDOWS_GERADO}/ritmuro.ico)
set(RITMURO_ICONES_ICO)
foreach(lado 16 24 32 48)
  list(APPEND RITMURO_ICONES_ICO ${CMAKE_SOURCE_DIR}/data/icones/ritmuro-${lado}.png)
endforeach()
set(RITMURO_ICONE_256 ${CMAKE_SOURCE_DIR}/data/icones/ritmuro-256.png)
add_custom_command(OUTPUT ${RITMURO_ICO}
  COMMAND ${RITMURO_ICOTOOL} --create --bit-depth=32 --output=${RITMURO_ICO}
          ${RITMURO_ICONES_ICO} --raw=${RITMURO_ICONE_256}
  DEPENDS ${RITMURO_ICONES_ICO} ${RITMURO_ICONE_256}
  COMMENT "Icon of the exe: ${RITMURO_ICO}"
  VERBATIM)

string(REPLACE "," "." RITMURO_VERSAO_PONTOS "${RITMURO_VERSAO_NUMEROS}")
set(RITMURO_MANIFESTO ${RITMURO_WINDOWS_GERADO}/ritmuro.exe.manifest)
configure_file(${RITMURO_WINDOWS}/ritmuro.exe.manifest.in ${RITMURO_MANIFESTO} @ONLY)
configure_file(${RITMURO_WINDOWS}/ritmuro.rc.in ${RITMURO_WINDOWS_GERADO}/ritmuro.rc @ONLY)
target_sources(ritmuro PRIVATE ${RITMURO_WINDOWS_GERADO}/ritmuro.rc)
set_source_files_properties(${RITMURO_WINDOWS_GERADO}/ritmuro.rc PROPERTIES
  OBJECT_DEPENDS "${RITMURO_ICO};${RITMURO_MANIFESTO}")

# Reproducible: no build folder in the objects (__FILE__), no link time in
# the PE header. The exe is stripped, so no debug directory either.
foreach(alvo ritmuro ritmuro_jogo)
  target_compile_options(${alvo} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>
    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
endforeach()
target_link_options(ritmuro PRIVATE -mconsole -s -Wl,--no-insert-timestamp)
