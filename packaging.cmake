# A Debian package of the installed program: `cpack -G DEB` in the build folder, or `./quorvale package`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvale)
set(CPACK_PACKAGE_VENDOR "The Quorvale developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Workbench for ICU regular expressions")
set(CPACK_PACKAGE_DESCRIPTION
    "Type a pattern and a sample text, and every match is painted into the text as you type. The pattern is
coloured by token role, capture groups can be stepped through, and expressions are kept in a library.")
set(CPACK_PACKAGE_CONTACT "The Quorvale developers <developers@quorvale.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_STRIP_FILES ON)
# The libraries come from the binary itself; the platform plugins Qt loads at run time do not show there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own texts (standard buttons, context menus) in the user's language; Quorvale's are built in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
