# The Mandarin readings table the stop index compiles in, generated at build time by readingsgen
# (tools/readingsgen) from the Unihan readings of Debian's unicode-data package
# (scripts/install-deps.sh installs it). Nothing generated is kept in the sources.
#
# bus_readings_table(OUTPUT file): adds the rule that writes the table into file.

# (a file of the build machine: the cross build's search root does not apply)
find_file(BUSSEARCH_UNIHAN_READINGS NAMES Unihan_Readings.txt Unihan_Readings.txt.bz2
          PATHS /usr/share/unicode /usr/share/unicode-data NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          DOC "the Unihan readings file (plain or bzip2-compressed)")
if(NOT BUSSEARCH_UNIHAN_READINGS)
  message(FATAL_ERROR "The Unihan readings (/usr/share/unicode/Unihan_Readings.txt.bz2) are missing: "
                      "run scripts/install-deps.sh, which installs Debian's unicode-data package, or set "
                      "BUSSEARCH_UNIHAN_READINGS to the file.")
endif()
find_program(BUSSEARCH_BZIP2 bzip2 NO_CMAKE_FIND_ROOT_PATH)

function(bus_readings_table)
  cmake_parse_arguments(R "" "OUTPUT" "" ${ARGN})
  bus_host_tool(READINGSGEN readingsgen)
  add_custom_command(OUTPUT ${R_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${BUSSEARCH_UNIHAN_READINGS} -DBZIP2=${BUSSEARCH_BZIP2}
            -DTOOL=${READINGSGEN} -DOUTPUT=${R_OUTPUT} -P ${CMAKE_SOURCE_DIR}/cmake/GenerateReadingsTable.cmake
    DEPENDS ${READINGSGEN_DEPENDS} ${BUSSEARCH_UNIHAN_READINGS} ${CMAKE_SOURCE_DIR}/cmake/GenerateReadingsTable.cmake
    COMMENT "Generating the pinyin readings table"
    VERBATIM)
endfunction()
