# The Debian package, built by CPack: `cpack -G DEB` in the build folder
# gives tarnwick_VERSION_ARCH.deb with everything `cmake --install` installs
# under /usr. Its dependencies are computed from the shared libraries the
# programs and the window module link (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lexer generator for PureBasic, and an IDE tool installer")
set(CPACK_PACKAGE_DESCRIPTION
    "tarnwick turns a lexer definition file (regular expressions with PureBasic\n"
    "action code) into one PureBasic source with the tables of a DFA, next to\n"
    "the runtime include PBTarnwickInc.pbi that scans with them. It can also\n"
    "draw the DFA with Graphviz.\n"
    "korvane-installer adds the build tool Korvane to the PureBasic IDE's tool\n"
    "list and removes it again.")
set(TARNWICK_PACKAGE_MAINTAINER "tarnwick developers <tarnwick@localhost>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${TARNWICK_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "-pdf" runs Graphviz's dot; everything else works without it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS graphviz)
include(CPack)
