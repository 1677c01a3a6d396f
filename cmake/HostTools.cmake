# Tools that run at build time (the route importer; later the skin tools) must run on the build
# machine. The native build builds them as ordinary targets. The windows build cannot run its own
# .exe files without Wine, so it builds the same sources a second time with the host compiler, as an
# external project in <build>/host, and runs those.
#
# bus_host_tool(VAR NAME): sets VAR to the path of host tool NAME, and VAR_DEPENDS to what a custom
# command must depend on to run it after it is built.

if(WIN32 AND NOT BUSSEARCH_HOST_TOOLS_ONLY)
  include(ExternalProject)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/host
    CMAKE_ARGS -DBUSSEARCH_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    CMAKE_CACHE_ARGS -DCMAKE_C_COMPILER:STRING=cc -DCMAKE_CXX_COMPILER:STRING=c++
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/host/bin/routeimport ${CMAKE_BINARY_DIR}/host/bin/skindraw
                     ${CMAKE_BINARY_DIR}/host/bin/skinpack ${CMAKE_BINARY_DIR}/host/bin/readingsgen)
endif()

function(bus_host_tool var name)
  if(WIN32 AND NOT BUSSEARCH_HOST_TOOLS_ONLY)
    set(${var} ${CMAKE_BINARY_DIR}/host/bin/${name} PARENT_SCOPE)
    set(${var}_DEPENDS host_tools ${CMAKE_BINARY_DIR}/host/bin/${name} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${var}_DEPENDS ${name} PARENT_SCOPE)
  endif()
endfunction()
