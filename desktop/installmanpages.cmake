# SPDX-License-Identifier: MIT
# Part of `cmake --install` (desktop/CMakeLists.txt sets the man_* names):
# configures each manual page for the prefix being installed to, compresses
# it as Debian does (gzip -9n: no name, no time, the same bytes every time)
# and installs it.
cmake_path(ABSOLUTE_PATH man_datadir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE data)
cmake_path(ABSOLUTE_PATH man_mandir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE mandir)
set(ZARV_DATA_FOLDER "${data}/zarvitone")
# A folder of each install's own: the tests install twice at once.
string(MD5 install_key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(man_staging "${man_staging}/${install_key}")
foreach(page IN LISTS man_pages)
  configure_file("${man_source}/${page}.in" "${man_staging}/${page}" @ONLY)
  execute_process(COMMAND gzip -9nf "${man_staging}/${page}" COMMAND_ERROR_IS_FATAL ANY)
  file(INSTALL "${man_staging}/${page}.gz" DESTINATION "${mandir}/man1")
endforeach()
