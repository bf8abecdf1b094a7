# SPDX-License-Identifier: MIT
# Run first by cmake --install: the folders of the install (morvek_install_dirs, relative to the
# prefix) and their parents that are not there yet, in morvek_created_dirs for the record, so
# that uninstalling removes them again and never a folder that was there before.
cmake_policy(VERSION 3.22) # install scripts start with old policies
set(morvek_created_dirs)
foreach(dir IN LISTS morvek_install_dirs)
  cmake_path(ABSOLUTE_PATH dir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  while(NOT IS_DIRECTORY "$ENV{DESTDIR}${dir}" AND NOT dir IN_LIST morvek_created_dirs)
    list(APPEND morvek_created_dirs "${dir}")
    cmake_path(GET dir PARENT_PATH dir)
  endwhile()
endforeach()
