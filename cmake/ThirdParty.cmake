# SQLite and GoogleTest for both builds.
#
# native:  Debian's libsqlite3-dev and libgtest-dev.
# windows: SQLite's amalgamation generated from Debian's sqlite3 source package and GoogleTest built
#          from Debian's googletest sources, both with the MinGW compiler, by scripts/ at configure
#          time. Their output is cached under BUSSEARCH_THIRD_PARTY_DIR (build/third_party by default),
#          so a second configure costs nothing and needs no network; nothing of it is committed.

set(BUSSEARCH_SQLITE_CFLAGS "-O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_ENABLE_COLUMN_METADATA")

if(WIN32)
  set(BUSSEARCH_THIRD_PARTY_DIR "${CMAKE_SOURCE_DIR}/build/third_party" CACHE PATH
      "cache of the MinGW builds of SQLite and GoogleTest")
  set(_sqlite_dir "${BUSSEARCH_THIRD_PARTY_DIR}/sqlite-mingw")
  set(_gtest_dir "${BUSSEARCH_THIRD_PARTY_DIR}/gtest-mingw")

  message(STATUS "SQLite for MinGW: ${_sqlite_dir}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "SQLITE_CFLAGS=${BUSSEARCH_SQLITE_CFLAGS}"
            bash ${CMAKE_SOURCE_DIR}/scripts/build-sqlite-mingw.sh ${_sqlite_dir}
    RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "building SQLite for MinGW failed (scripts/build-sqlite-mingw.sh)")
  endif()
  add_library(bus_sqlite3 STATIC IMPORTED GLOBAL)
  set_target_properties(bus_sqlite3 PROPERTIES
    IMPORTED_LOCATION ${_sqlite_dir}/libsqlite3.a
    INTERFACE_INCLUDE_DIRECTORIES ${_sqlite_dir})

  if(NOT BUSSEARCH_HOST_TOOLS_ONLY)
    message(STATUS "GoogleTest for MinGW: ${_gtest_dir}")
    execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-gtest-mingw.sh ${_gtest_dir}
                    RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
      message(FATAL_ERROR "building GoogleTest for MinGW failed (scripts/build-gtest-mingw.sh)")
    endif()
    set(GTest_DIR "${_gtest_dir}/lib/cmake/GTest" CACHE PATH "" FORCE)
    find_package(GTest CONFIG REQUIRED)
  endif()
else()
  find_package(SQLite3 REQUIRED)
  add_library(bus_sqlite3 INTERFACE IMPORTED GLOBAL)
  target_link_libraries(bus_sqlite3 INTERFACE SQLite::SQLite3)
  if(NOT BUSSEARCH_HOST_TOOLS_ONLY)
    find_package(GTest REQUIRED)
  endif()
endif()
