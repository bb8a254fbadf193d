# The Debian package of the installed tree (`cpack -G DEB` in a build folder; see
# scripts/package). Library dependencies are read off the programs by dpkg-shlibdeps;
# what the programs load or start at run time is declared by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphgrab)
set(CPACK_PACKAGE_VERSION ${GLYPHGRAB_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR "Glyphgrab authors")
set(CPACK_PACKAGE_CONTACT "Glyphgrab authors <authors@glyphgrab.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browse, copy and send the texts of Jw_cad drawings")
set(CPACK_PACKAGE_DESCRIPTION
  "Glyphgrab browses folders of Jw_cad drawings (JWW, JWC) and symbols
(JWS, JWK) and lists the texts they carry: drawing memo, layer names,
pen-colour and line-type names, text entities, dimension texts and texts
inside blocks. A click copies a text, a double click types it into a
running Jw_cad, a search finds a text across a whole folder tree, and a
memo keeps collected lines. Its interface is Japanese.
.
glyphgrab-cli offers the same engine to scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(GLYPHGRAB_GUI)
  # Qt finds the X11 platform plugin and its own Japanese translations (the standard
  # dialogs) at run time; no library names them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
  # Japanese captions need a Japanese font; xdg-open opens files with their application.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, xdg-utils")
endif()
include(CPack)
