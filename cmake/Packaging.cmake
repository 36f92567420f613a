# Installing the program as a desktop program, and its Debian package:
#   cmake --build build --target package      ->  build/tesraconnect_VERSION_ARCH.deb
#
# The installed program is /usr/bin/tesraconnect; its data (the disc, the scenarios and
# the walk-through script) is /usr/share/tesraconnect, found beside the program as
# ../share/tesraconnect (lab/DataFolder.h). The menu entry, the icons and the manual
# page are generated at build time from the same sources as the rest: the string
# tables, the picture generator, the program's --help and the lab guide.

include(GNUInstallDirs)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TC_INSTALLED_NAME tesraconnect)
set(TC_DATA_DIR ${CMAKE_INSTALL_DATADIR}/${TC_INSTALLED_NAME})
set(TC_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The icon in the desktop's icon theme, drawn by the picture generator at each size.
set(TC_ICON_SIZES 16 32 48 64 128 256)
set(TC_ICON_FILES)
foreach(size IN LISTS TC_ICON_SIZES)
  list(APPEND TC_ICON_FILES ${TC_PACKAGING_OUT}/icons/hicolor/${size}x${size}/apps/${TC_INSTALLED_NAME}.png)
endforeach()
string(REPLACE ";" "," TC_ICON_SIZE_LIST "${TC_ICON_SIZES}")
add_custom_command(OUTPUT ${TC_ICON_FILES}
                   COMMAND picgen --manifest ${CMAKE_SOURCE_DIR}/res/pictures/pictures.list --icon 175
                           --sizes ${TC_ICON_SIZE_LIST} --name ${TC_INSTALLED_NAME} --out ${TC_PACKAGING_OUT}/icons/hicolor
                   DEPENDS picgen ${CMAKE_SOURCE_DIR}/res/pictures/pictures.list
                   COMMENT "Drawing the desktop icons"
                   VERBATIM)

# The menu entry, named in every language of the string tables.
file(GLOB TC_PACKAGING_TABLES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/strings/*.txt)
set(TC_DESKTOP_FILE ${TC_PACKAGING_OUT}/${TC_INSTALLED_NAME}.desktop)
add_custom_command(OUTPUT ${TC_DESKTOP_FILE}
                   COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/packaging/desktop_entry.py
                           --strings ${CMAKE_SOURCE_DIR}/res/strings --name ${TC_INSTALLED_NAME} --out ${TC_DESKTOP_FILE}
                   DEPENDS ${CMAKE_SOURCE_DIR}/packaging/desktop_entry.py ${TC_PACKAGING_TABLES}
                   COMMENT "Writing the menu entry"
                   VERBATIM)

# The manual page, from the program's own --help, the README and the lab guide.
# (The glob makes the build notice when the guide appears.)
set(TC_LAB_GUIDE ${CMAKE_SOURCE_DIR}/docs/lab.md)
file(GLOB TC_LAB_GUIDE_FOUND CONFIGURE_DEPENDS ${TC_LAB_GUIDE})
set(TC_MAN_PAGE ${TC_PACKAGING_OUT}/${TC_INSTALLED_NAME}.1)
set(TC_MAN_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/manpage.py ${CMAKE_SOURCE_DIR}/README.md)
list(APPEND TC_MAN_DEPENDS ${TC_LAB_GUIDE_FOUND})
add_custom_command(OUTPUT ${TC_MAN_PAGE}.gz
                   COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/packaging/manpage.py
                           --program $<TARGET_FILE:TesraConnect> --name ${TC_INSTALLED_NAME}
                           --readme ${CMAKE_SOURCE_DIR}/README.md --guide ${TC_LAB_GUIDE}
                           --datadir ${CMAKE_INSTALL_PREFIX}/${TC_DATA_DIR} --out ${TC_MAN_PAGE}
                   COMMAND gzip -9nf ${TC_MAN_PAGE}
                   DEPENDS TesraConnect ${TC_MAN_DEPENDS}
                   COMMENT "Writing the manual page"
                   VERBATIM)

add_custom_target(desktop-files ALL DEPENDS ${TC_ICON_FILES} ${TC_DESKTOP_FILE} ${TC_MAN_PAGE}.gz)

# What is installed. The program is renamed in the usual lowercase; stripping follows
# CPack's CPACK_STRIP_FILES (or cmake --install --strip).
install(PROGRAMS $<TARGET_FILE:TesraConnect> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${TC_INSTALLED_NAME})
# The licence archive reader, loaded from ../lib/tesraconnect/modules beside the program.
install(TARGETS tc_mht_module LIBRARY DESTINATION ${TC_MHT_MODULE_DIR})
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note --strip-unneeded
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${TC_INSTALLED_NAME}\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/disc/ DESTINATION ${TC_DATA_DIR}/disc
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        PATTERN "*.py" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/tests/lab/scenarios/ DESTINATION ${TC_DATA_DIR}/scenarios
        FILES_MATCHING PATTERN "*.json")
install(FILES ${CMAKE_SOURCE_DIR}/lab/walkthrough.tcs DESTINATION ${TC_DATA_DIR}/scripts)
install(FILES ${TC_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${TC_PACKAGING_OUT}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${TC_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TC_INSTALLED_NAME})
if(TC_LAB_GUIDE_FOUND)
  install(FILES ${TC_LAB_GUIDE} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TC_INSTALLED_NAME})
endif()

# The Debian package. Its library dependencies are read off the program by
# dpkg-shlibdeps; the fonts it loads by file name at run time are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TC_INSTALLED_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tesra Systems")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup wizard of the Korvana QW4100 USB wireless-N adapter, on a simulated PC")
set(CPACK_PACKAGE_DESCRIPTION "TesraConnect is the setup wizard of the Korvana QW4100 USB wireless-N\n\
adapter and its siblings QW2100 and QW2600, running on a simulated PC of its\n\
own. It also runs headless, driven by a lab script in virtual time, for\n\
testing.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "TesraConnect developers <tesraconnect@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-noto-core, fonts-thai-tlwg, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
