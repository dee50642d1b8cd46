# Makes VIEWER_LINK a symbolic link to VIEWER, unless something is there
# already, even a link to nothing: a NOTEPAD.exe the user put beside the
# program is the user's own and is kept.
#   cmake -DVIEWER_LINK=<path> -DVIEWER=<program> -P default_viewer.cmake
# or include()d with both set, as the install step does.
if(EXISTS "${VIEWER_LINK}" OR IS_SYMLINK "${VIEWER_LINK}")
  message(STATUS "Kept: ${VIEWER_LINK}")
else()
  file(CREATE_LINK "${VIEWER}" "${VIEWER_LINK}" SYMBOLIC)
  message(STATUS "Linked: ${VIEWER_LINK} -> ${VIEWER}")
endif()
