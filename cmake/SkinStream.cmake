# A skin archive as the SkinStream property of a form description:
#
#   SkinStream = {<length, 4 bytes little-endian><archive bytes>}
#
# in hexadecimal digits, 64 bytes to a line, which the form description reader takes as the bytes
# of the skin data component's stored archive.
#
# bus_skin_stream(OUTPUT file ARCHIVE archive [TEMPLATE template] [TARGET name])
#   Adds a build rule that writes `file`: the property line alone, or, with TEMPLATE, the template
#   with every "@SKIN_STREAM@" replaced by it (a form description that carries the skin). With
#   TARGET, also a target of that name that builds `file` after the default skin; a program that
#   embeds `file` depends on that target. Without TARGET, a target of the same directory must list
#   `file` as a source or dependency.
#
#   The main form's description, for instance:
#     bus_skin_stream(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/BusMain.txt TEMPLATE BusMain.txt.in
#                     ARCHIVE ${BUSSEARCH_DEFAULT_SKIN} TARGET main_form_description)
#
# Run as a script (cmake -DARCHIVE=... -DOUTPUT=... [-DTEMPLATE=...] -P SkinStream.cmake) it does
# the writing.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${ARCHIVE}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR length "${digits} / 2")
  set(prefix "")
  foreach(shift 0 8 16 24)
    math(EXPR byte "(${length} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 2 -1 byte)
    string(LENGTH "${byte}" width)
    if(width EQUAL 1)
      set(byte "0${byte}")
    endif()
    string(APPEND prefix "${byte}")
  endforeach()
  set(all "${prefix}${hex}")
  # 64 bytes (128 digits) to a line
  string(REPEAT "." 128 line)
  string(REGEX MATCHALL "${line}" lines "${all}")
  string(LENGTH "${all}" total)
  math(EXPR rest "${total} % 128")
  if(rest GREATER 0)
    math(EXPR start "${total} - ${rest}")
    string(SUBSTRING "${all}" ${start} -1 tail)
    list(APPEND lines "${tail}")
  endif()
  list(JOIN lines "\n    " body)
  set(property "SkinStream = {\n    ${body}}")
  if(TEMPLATE)
    file(READ "${TEMPLATE}" text)
    string(REPLACE "@SKIN_STREAM@" "${property}" text "${text}")
  else()
    set(text "${property}\n")
  endif()
  file(WRITE "${OUTPUT}" "${text}")
  return()
endif()

set(BUS_SKIN_STREAM_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(bus_skin_stream)
  cmake_parse_arguments(S "" "OUTPUT;ARCHIVE;TEMPLATE;TARGET" "" ${ARGN})
  if(NOT S_OUTPUT OR NOT S_ARCHIVE)
    message(FATAL_ERROR "bus_skin_stream needs OUTPUT and ARCHIVE")
  endif()
  set(template_arg "")
  if(S_TEMPLATE)
    get_filename_component(S_TEMPLATE ${S_TEMPLATE} ABSOLUTE)
    set(template_arg -DTEMPLATE=${S_TEMPLATE})
  endif()
  add_custom_command(OUTPUT ${S_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -DARCHIVE=${S_ARCHIVE} -DOUTPUT=${S_OUTPUT} ${template_arg} -P ${BUS_SKIN_STREAM_SCRIPT}
    DEPENDS ${S_ARCHIVE} ${S_TEMPLATE} ${BUS_SKIN_STREAM_SCRIPT}
    COMMENT "Writing the skin archive as a SkinStream property"
    VERBATIM)
  if(S_TARGET)
    add_custom_target(${S_TARGET} DEPENDS ${S_OUTPUT})
    if(TARGET default_skin)
      add_dependencies(${S_TARGET} default_skin)
    endif()
  endif()
endfunction()
