# The Debian package, built by CPack: `cpack -G DEB` in the build folder
# gives tarnwick_VERSION_ARCH.deb with everything `cmake --install` installs
# under /usr. Its dependencies are computed from the shared libraries the
# programs and the window module link (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lexer generator for PureBasic, and an IDE tool installer")
# One string: separate arguments would make a CMake list, whose ';' would end
# up at the start of the description's lines.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "tarnwick turns a lexer definition file (regular expressions with PureBasic\n"
  "action code) into one PureBasic source with the tables of a DFA, next to\n"
  "the runtime include PBTarnwickInc.pbi that scans with them. It can also\n"
  "draw the DFA with Graphviz. tarnwick-scan tokenises a file with the\n"
  "generated tables, so a lexer can be tried without a PureBasic compiler.\n"
  "korvane-installer adds the build tool Korvane to the PureBasic IDE's tool\n"
  "list and removes it again.")
set(TARNWICK_DEB_MAINTAINER "tarnwick developers <maintainers@tarnwick.org>"
    CACHE STRING "The Debian package's maintainer, also the contact in its copyright file")
set(CPACK_PACKAGE_CONTACT ${TARNWICK_DEB_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# CPack's own dependency step would also add ldconfig to the maintainer
# scripts for the window module, a private module under /usr/lib/tarnwick/
# that no linker path names. The same dpkg-shlibdeps step runs here instead,
# once the files are staged, and adds the package's lintian overrides (kept
# out of `cmake --install`: they concern the package alone).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_TARNWICK_LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/doc/debian/lintian-overrides)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/deb_staged_package.cmake)
# "-pdf" runs Graphviz's dot; everything else works without it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS graphviz)
include(CPack)
