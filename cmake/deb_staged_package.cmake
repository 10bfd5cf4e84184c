# Run by CPack once the package's files are staged in
# CPACK_TEMPORARY_DIRECTORY, before the package is made: computes Depends
# from the ELF files with dpkg-shlibdeps and adds the lintian overrides.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(staged ${CPACK_TEMPORARY_DIRECTORY})

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${staged} ${staged}/*)
set(elf_files)
foreach(file IN LISTS files)
  if(NOT IS_SYMLINK ${staged}/${file})
    file(READ ${staged}/${file} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      list(APPEND elf_files ${file})
    endif()
  endif()
endforeach()

if(elf_files)
  find_program(shlibdeps dpkg-shlibdeps REQUIRED)
  # dpkg-shlibdeps wants a debian/control beside the files; it reads nothing
  # from it here.
  file(MAKE_DIRECTORY ${staged}/debian)
  file(TOUCH ${staged}/debian/control)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${shlibdeps} -O ${elf_files}
                  WORKING_DIRECTORY ${staged}
                  OUTPUT_VARIABLE substitutions ERROR_VARIABLE problems RESULT_VARIABLE status)
  file(REMOVE_RECURSE ${staged}/debian)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-shlibdeps failed: ${problems}")
  endif()
  string(REGEX MATCH "shlibs:Depends=([^\n]*)" match "${substitutions}")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
endif()

set(overrides ${staged}${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides)
file(MAKE_DIRECTORY ${overrides})
file(COPY_FILE ${CPACK_TARNWICK_LINTIAN_OVERRIDES} ${overrides}/tarnwick)
