# SPDX-License-Identifier: MIT
# Removes the files that the last install from this build folder put on the machine, as its record
# lists them, then the game's own folders when they are empty. Nothing else is touched.
# cmake -DMORVEK_RECORD=<build>/morvek-installed.txt -P uninstall.cmake
if(NOT EXISTS "${MORVEK_RECORD}")
  message(FATAL_ERROR "Nothing to uninstall: no install from this build folder is on record "
    "(${MORVEK_RECORD}). An install into DESTDIR is a staging copy and is never recorded: "
    "remove its folder instead.")
endif()
file(STRINGS "${MORVEK_RECORD}" lines)
set(dirs)
set(failed)
foreach(line IN LISTS lines)
  if(line MATCHES "^file (/.+)$")
    set(path "${CMAKE_MATCH_1}")
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
      message(STATUS "Removing ${path}")
      file(REMOVE "${path}")
      if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        list(APPEND failed "${path}")
      endif()
    endif()
  elseif(line MATCHES "^dir (/.+)$")
    list(APPEND dirs "${CMAKE_MATCH_1}")
  endif()
endforeach()
# The deepest first, so that a folder emptied by removing its own folders goes too.
list(REMOVE_DUPLICATES dirs)
list(SORT dirs ORDER DESCENDING)
foreach(dir IN LISTS dirs)
  # Only when empty: a player's own file in there stays, and so does its folder.
  file(GLOB left "${dir}/*" "${dir}/.*")
  if(IS_DIRECTORY "${dir}" AND NOT left)
    message(STATUS "Removing ${dir}/")
    file(REMOVE_RECURSE "${dir}")
  endif()
endforeach()
if(failed)
  list(JOIN failed "\n  " failed_text)
  message(FATAL_ERROR "Could not remove (root needed?):\n  ${failed_text}")
endif()
file(REMOVE "${MORVEK_RECORD}")
