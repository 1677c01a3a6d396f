# cmake -DBINARY_DIR=<windows build> -P MakePackages.cmake
#
# Makes the packages of the windows build with CPack (the build must be complete) and unpacks the
# zip into <build>/packages/unpacked, for the packaging tests that then run under Wine.
set(_packages ${BINARY_DIR}/packages)
file(REMOVE_RECURSE ${_packages})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BINARY_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BINARY_DIR} RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "cpack failed (${rc})")
endif()
file(GLOB _zip ${_packages}/*.zip)
file(MAKE_DIRECTORY ${_packages}/unpacked)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${_zip} WORKING_DIRECTORY ${_packages}/unpacked RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "cannot unpack ${_zip}")
endif()
