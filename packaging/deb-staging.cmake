# SPDX-License-Identifier: MIT
# Run by CPack on the staged files of the Debian package, before they are packed: what Debian
# asks of every package beyond the installed tree: a copyright file, compressed manual pages and
# changelog, no compiler notes in the program, and the overrides of lintian's remarks that do not
# apply.
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr")
if(NOT IS_DIRECTORY "${root}/share/doc/morvek")
  message(FATAL_ERROR "deb-staging: no staged files under ${root}")
endif()

file(STRINGS "${CPACK_MORVEK_SOURCE_DIR}/LICENSE" licence)
set(copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Morvek
Comment: The outside sources of the artwork and the tunes of the music are named in
 /usr/share/doc/morvek/LICENSES.md.

Files: *
Copyright: 2026 Morvek developers
License: Expat
")
foreach(line IN LISTS licence)
  if(line STREQUAL "")
    string(APPEND copyright " .\n")
  else()
    string(APPEND copyright " ${line}\n")
  endif()
endforeach()
file(WRITE "${root}/share/doc/morvek/copyright" "${copyright}")

file(GLOB pages "${root}/share/man/man*/*")
foreach(page IN LISTS pages)
  if(NOT page MATCHES "\\.gz$")
    execute_process(COMMAND gzip -9n "${page}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

# The compiler's notes in the program are no use to anybody (as Debian's own strip leaves them
# out); the debug information stays for the debug package.
find_program(objcopy objcopy REQUIRED)
execute_process(COMMAND "${objcopy}" --remove-section=.comment --remove-section=.note
  "${root}/games/morvek" COMMAND_ERROR_IS_FATAL ANY)

# The changelog, in Debian's form, from the project's CHANGELOG.md: a native package's
# /usr/share/doc/morvek/changelog.gz.
file(STRINGS "${CPACK_MORVEK_SOURCE_DIR}/CHANGELOG.md" news)
set(entries "")
foreach(line IN LISTS news)
  if(line MATCHES "^- (.*)$")
    string(APPEND entries "  * ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^  (.*)$")
    string(APPEND entries "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(WRITE "${root}/share/doc/morvek/changelog"
  "morvek (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n${entries}\n"
  " -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${CPACK_MORVEK_RELEASE_DATE}\n")
execute_process(COMMAND gzip -9n "${root}/share/doc/morvek/changelog" COMMAND_ERROR_IS_FATAL ANY)

# The licence is in the copyright file; a second copy is what lintian calls an extra licence file.
file(REMOVE "${root}/share/doc/morvek/LICENSE")

# The rules page is the game's own data, read by its viewer (as sgt-puzzles keeps its help pages),
# not documentation for a reader of /usr/share/doc.
file(MAKE_DIRECTORY "${root}/share/lintian/overrides")
file(WRITE "${root}/share/lintian/overrides/morvek"
  "# The rules page is the game's data, shown by its own viewer, not a document for /usr/share/doc.\n"
  "morvek: package-contains-documentation-outside-usr-share-doc [usr/share/morvek/mrvk.html]\n"
  "# Built with _FORTIFY_SOURCE=3 (hardening-check: yes); the plain calls left are ones whose sizes the compiler proved safe.\n"
  "morvek: hardening-no-fortify-functions [usr/games/morvek]\n")
