# Installing Quorval like any program of the system: the two executables in
# bin, the move library in the library folder, a menu entry with its icon,
# the demo games and the piece artwork's licence under share. An installed
# program finds its library beside it ($ORIGIN), so the package also runs
# unpacked into any folder. `scripts/package` builds a .deb of it with CPack.
include(GNUInstallDirs)

set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

function(quorval_install)
    install(TARGETS quorval quorval-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS tlmpgn32 LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(FILES packaging/quorval.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/quorval.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # share/quorval also tells the program it is installed: it then keeps
    # the user's files in the user's application data folder.
    install(FILES tools/xfcc-test-server/demo.json DESTINATION ${CMAKE_INSTALL_DATADIR}/quorval)
    install(FILES board/artwork/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorval RENAME piece-artwork.md)
    install(FILES board/artwork/GPL-3.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorval)
endfunction()

function(quorval_package)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME quorval)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_CONTACT "Quorval developers <quorval@localhost>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client for correspondence chess on XFCC servers")
    set(CPACK_PACKAGE_DESCRIPTION
        "Lists your games on every configured XFCC server, shows a game on a board beside its move list, sends your move with a message or a draw offer, exports PGN and EPD and analyses the position with a local engine. English and Spanish.")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY quorval)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    # The dependencies are the Debian packages of the libraries the
    # executables link, as dpkg-shlibdeps finds them.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${CMAKE_BINARY_DIR}/movelib")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "stockfish")
    set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
    include(CPack)
endfunction()
