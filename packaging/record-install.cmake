# SPDX-License-Identifier: MIT
# Run last by cmake --install: records what this install put on the machine, for uninstalling.
# A staged install (DESTDIR) is for a package and leaves the record as it was.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(morvek_lines "# Morvek: what the last install from this build folder put on this machine.\n")
foreach(path IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
  string(APPEND morvek_lines "file ${path}\n")
endforeach()
foreach(dir IN LISTS morvek_own_dirs)
  string(APPEND morvek_lines "dir ${dir}\n")
endforeach()
file(WRITE "${morvek_record}" "${morvek_lines}")
