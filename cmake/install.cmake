# Installing Vornel: `cmake --install build --prefix P` puts the program in P/bin and its shared
# files under P/share; `cpack -G DEB` in the build folder makes a Debian package of the same tree.
# The program finds its manual and shipped templates in ../share/vornel beside its own folder,
# so these folders are fixed rather than taken from GNUInstallDirs.

set(VORNEL_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS vornel RUNTIME DESTINATION bin)
install(FILES resources/manual/MANUAL.html resources/manual/VORNL500.html DESTINATION share/vornel)
install(DIRECTORY resources/templates/ DESTINATION share/vornel FILES_MATCHING PATTERN "*.htt")
install(FILES resources/desktop/com.teslund.Vornel.desktop DESTINATION share/applications)
install(FILES resources/desktop/com.teslund.Vornel.metainfo.xml DESTINATION share/metainfo)
install(FILES resources/icons/vornel.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size IN LISTS VORNEL_ICON_SIZES)
    install(FILES resources/icons/hicolor/${size}x${size}/vornel.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES resources/vornel.1 DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vornel)
set(CPACK_PACKAGE_VENDOR "Teslund Applications")
set(CPACK_PACKAGE_CONTACT "Vornel maintainers <maintainers@users.noreply.c-seed-5dfe49fc.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML source editor with markup from menus and toolbars")
set(CPACK_PACKAGE_DESCRIPTION
    "Vornel is an editor for the HTML source of web pages. Pages are written as\n"
    "plain text in document windows inside one main window, and markup is put into\n"
    "them from menus, two toolbars and small dialogs: headings, styles, lists, links,\n"
    "images, tables, forms, entities, comments and date stamps.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies are those of the built program, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
