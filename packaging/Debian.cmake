# `make package` / `cpack`: one Debian package. The libraries come from what the program really links
# (dpkg-shlibdeps); what it only opens at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane developers")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "times table of 7 drill game with a talking wizard")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvane.example.org/)
# The extended description; the synopsis line is CPACK_PACKAGE_DESCRIPTION_SUMMARY.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorvane is a small game for children who are learning the Italian
multiplication table of 7. Merlin, a friendly wizard beside the game
window, dictates every exercise aloud in Italian; the child types the
result and Merlin answers with praise, a little magic show or the right
result. A game lasts seven minutes and the best score is kept with the
champion's name.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Run-time data the linker cannot see: the window's fonts, the Italian voice and the X11/Wayland platform plugins.
# adduser: the postinst makes the shared record's own account.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser, fonts-liberation2, fonts-roboto-unhinted, espeak-ng-data, qt6-qpa-plugins, qt6-translations-l10n")

# The maintainer scripts give the shared record's directory and helper to the record's own account, and forget them on
# purge.
foreach(script IN ITEMS postinst postrm)
    configure_file(${script}.in debian/${script} @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    list(APPEND CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/debian/${script})
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
