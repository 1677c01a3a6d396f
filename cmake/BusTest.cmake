# bus_add_test(NAME SOURCES ... LIBS ... [TIMEOUT sec] [GUI])
#
# One GoogleTest executable = one CTest test. In the windows build the test runs under Wine through
# CMAKE_CROSSCOMPILING_EMULATOR (scripts/wine-test.sh: the build tree's own prefix, a private Xvfb,
# a hard timeout); every such test needs the "wine" fixture that prepares the prefix and the display,
# and takes the "wine" lock, because one prefix shows one desktop at a time.

if(WIN32 AND NOT BUSSEARCH_HOST_TOOLS_ONLY)
  set(BUSSEARCH_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR "bash;${CMAKE_SOURCE_DIR}/scripts/wine-test.sh;${BUSSEARCH_WINE_DIR}")
endif()

function(bus_add_wine_fixture)
  if(NOT WIN32)
    return()
  endif()
  add_test(NAME wine_session_start
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh start ${BUSSEARCH_WINE_DIR})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 900)
  add_test(NAME wine_session_stop
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh stop ${BUSSEARCH_WINE_DIR})
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endfunction()

function(bus_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(WIN32)
    # the emulator's own limit comes first, so a hung test is killed cleanly and reported
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "BUS_TEST_TIMEOUT=${T_TIMEOUT}")
    math(EXPR _outer "${T_TIMEOUT} + 30")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${_outer})
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()
