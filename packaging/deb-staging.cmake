# Run by CPack on the staged files of the Debian package, before they are packed: what Debian
# asks of every package beyond the installed tree, a copyright file and compressed manual pages.
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
