# What `cmake --install` puts where, and the Debian package made from it by CPack.
include(GNUInstallDirs)

install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The data folder also tells the program that it runs installed (common/program_places.h).
install(DIRECTORY sensors/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vantrel/demo
    FILES_MATCHING PATTERN "*.txt")
# The voice pack is read as data from the working folder; it is installed for copying there.
install(TARGETS Sonvale LIBRARY DESTINATION lib/vantrel)

install(FILES tools/desktop/vantrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
    install(FILES tools/desktop/icons/${size}x${size}/vantrel.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES dialogs/images/src/icon.svg RENAME vantrel.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# udev, the module loader and PAM read /usr/lib and /etc only: a package puts its files in
# /usr/lib, a local install in /etc; any other prefix is a staging folder and keeps them inside.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(VANTREL_SYSTEM_LIB_DIR /usr/lib)
    set(VANTREL_LIMITS_DIR /etc/security/limits.d)
elseif(CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
    set(VANTREL_SYSTEM_LIB_DIR /etc)
    set(VANTREL_LIMITS_DIR /etc/security/limits.d)
else()
    set(VANTREL_SYSTEM_LIB_DIR ${CMAKE_INSTALL_FULL_SYSCONFDIR})
    set(VANTREL_LIMITS_DIR ${CMAKE_INSTALL_FULL_SYSCONFDIR}/security/limits.d)
endif()
install(FILES tools/udev/60-vantrel.rules DESTINATION ${VANTREL_SYSTEM_LIB_DIR}/udev/rules.d)
install(FILES tools/udev/vantrel-modules.conf RENAME vantrel.conf
    DESTINATION ${VANTREL_SYSTEM_LIB_DIR}/modules-load.d)
install(FILES tools/udev/95-vantrel-rtprio.conf DESTINATION ${VANTREL_LIMITS_DIR})

install(FILES README.md docs/hardware.md docs/simulation.md
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantrel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "${VANTREL_COMPANY}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Times gymkhana stages, drag runs and circuit laps from photocell\
 sensors on the printer port, a USB adapter or a serial receiver; keeps the entry and result\
 lists, ranks the cars and shows them on a large scoreboard.")
set(CPACK_PACKAGE_CONTACT "${VANTREL_COMPANY} <vantrel@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are in Japanese: without these fonts they show empty boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# xdg-utils finds and starts the desktop's spreadsheet application for an exported workbook.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/tools/desktop/postinst ${CMAKE_BINARY_DIR}/conffiles)
file(WRITE ${CMAKE_BINARY_DIR}/conffiles "${VANTREL_LIMITS_DIR}/95-vantrel-rtprio.conf\n")
include(CPack)
