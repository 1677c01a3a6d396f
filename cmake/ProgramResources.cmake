# bus_program_resources(TARGET DESCRIPTION text ICON file)
#
# Gives a Windows program of the windows build its file properties and its application manifest,
# both from the one version of project(): a version resource (file and product version, the
# description, the product's name) and a manifest that runs it as the invoking user (a program
# named "update" would otherwise be taken for an installer and ask for elevation), names the
# Windows versions it was made for and asks for version 6 of the common controls; and its icon
# (resource MAINICON), shown by its windows, its taskbar button and the file manager.
function(bus_program_resources)
  cmake_parse_arguments(P "" "TARGET;DESCRIPTION;ICON" "" ${ARGN})
  set(_icon ${P_ICON})
  set(_name ${P_TARGET})
  set(_description ${P_DESCRIPTION})
  set(_version4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(_versionComma "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/${P_TARGET}_info)
  set(_manifest ${_dir}/${P_TARGET}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/resources/Program.manifest.in ${_manifest} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/resources/ProgramInfo.rc.in ${_dir}/ProgramInfo.rc @ONLY)
  set_source_files_properties(${_dir}/ProgramInfo.rc PROPERTIES OBJECT_DEPENDS "${_manifest};${_icon}")
  target_sources(${P_TARGET} PRIVATE ${_dir}/ProgramInfo.rc)
endfunction()
