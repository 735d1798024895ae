# The test that runs the health-bar tests against the 32-bit object of the
# `sangue32` target (top-level CMakeLists.txt) in a 32-bit program.

# Builds the object (through that target), a 32-bit GoogleTest once, the
# 32-bit test program on the object, and runs it. Needs
# scripts/instalar-dependencias.sh --i386.
add_test(NAME sangue32
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/sangue32.sh ${CMAKE_BINARY_DIR} ${CMAKE_CXX_COMPILER})
set_tests_properties(sangue32 PROPERTIES LABELS sangue32 TIMEOUT 900)

# The scripts' facts about the machine (Debian release, package names, the
# apt archive, ELF and PE headers), read from made-up machines.
add_test(NAME scripts.debian COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/test_debian.sh)
set_tests_properties(scripts.debian PROPERTIES LABELS scripts TIMEOUT 60)
