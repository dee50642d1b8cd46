# Gives a Windows program a version resource from the project's one version
# number, with its own description: what File Properties shows.
function(ordalis_add_version_resource target description)
  set(ORDALIS_FILE_DESCRIPTION "${description}")
  set(ORDALIS_INTERNAL_NAME "${target}")
  set(ORDALIS_ORIGINAL_FILENAME "${target}.exe")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
