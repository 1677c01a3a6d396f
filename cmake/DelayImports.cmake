# System DLLs that the program needs only after it has started (the banner's download and image
# decoder, the web link, the updater) are loaded on their first call instead of with the program:
# under Wine, loading ole32 and urlmon (and what they pull in) adds about 50 ms to the start.
#
# bus_delay_import(NAME) makes the imported library bus::delay_NAME from delay-imports/NAME.def:
# dlltool writes an import library whose thunks load the DLL on the first call (the loader's
# helper comes from the MinGW-w64 runtime). The .def lists the functions we call; a call to any
# other function of that DLL fails to link until it is added there. Made when CMake configures,
# again whenever the .def changes.
function(bus_delay_import name)
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "dlltool not found: it makes the delay-load import libraries")
  endif()
  set(def ${CMAKE_SOURCE_DIR}/cmake/delay-imports/${name}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay-imports/lib${name}_delay.a)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  if(NOT EXISTS ${lib} OR ${def} IS_NEWER_THAN ${lib})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delay-imports)
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
                    RESULT_VARIABLE failed ERROR_VARIABLE message)
    if(failed)
      file(REMOVE ${lib})
      message(FATAL_ERROR "dlltool could not make ${lib}: ${message}")
    endif()
  endif()
  add_library(bus::delay_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(bus::delay_${name} PROPERTIES IMPORTED_LOCATION ${lib})
endfunction()

if(WIN32)
  bus_delay_import(ole32)
  bus_delay_import(urlmon)
endif()
