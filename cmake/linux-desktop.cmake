# What a Linux desktop needs besides the program: the menu entry, the icon at every size the
# icon theme looks up, the AppStream metadata, the manual page, the shell's completion of the
# options, and the copyright and changelog every Debian package carries. Included by the Qt
# front end.
include(GNUInstallDirs)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(TABULOR_GZIP gzip REQUIRED)
find_program(TABULOR_DATE date REQUIRED)

set(TABULOR_APP_ID fr.tabulor.Tabulor)
set(TABULOR_LINUX_SOURCES ${PROJECT_SOURCE_DIR}/resources/linux)
set(TABULOR_LINUX_FILES ${PROJECT_BINARY_DIR}/linux)

set(TABULOR_ICON_SIZES 16 24 32 48 64 128 256)
set(TABULOR_ICONS)
foreach(size IN LISTS TABULOR_ICON_SIZES)
  list(APPEND TABULOR_ICONS ${TABULOR_LINUX_FILES}/icons/${size}x${size}/apps/${TABULOR_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${TABULOR_ICONS}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/resources/make_icon.py
          --hicolor ${TABULOR_LINUX_FILES}/icons ${TABULOR_APP_ID} ${TABULOR_ICON_SIZES}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/make_icon.py
  COMMENT "Drawing the desktop icons"
)

# A Debian changelog dates its entries the way mail does.
execute_process(
  COMMAND env LC_ALL=C ${TABULOR_DATE} -u -R -d ${TABULOR_RELEASE_DATE}
  OUTPUT_VARIABLE TABULOR_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY
)
configure_file(${TABULOR_LINUX_SOURCES}/${TABULOR_APP_ID}.metainfo.xml.in
               ${TABULOR_LINUX_FILES}/${TABULOR_APP_ID}.metainfo.xml @ONLY)
set(TABULOR_COMPRESSED)
foreach(name tabulor.1 changelog)
  configure_file(${TABULOR_LINUX_SOURCES}/${name}.in ${TABULOR_LINUX_FILES}/${name} @ONLY)
  # Without a name or a time stamp inside, so that the same text always compresses the same.
  add_custom_command(OUTPUT ${TABULOR_LINUX_FILES}/${name}.gz
    COMMAND ${TABULOR_GZIP} -9nc ${TABULOR_LINUX_FILES}/${name} > ${TABULOR_LINUX_FILES}/${name}.gz
    DEPENDS ${TABULOR_LINUX_FILES}/${name}
  )
  list(APPEND TABULOR_COMPRESSED ${TABULOR_LINUX_FILES}/${name}.gz)
endforeach()
add_custom_target(tabulor_linux_files ALL DEPENDS ${TABULOR_ICONS} ${TABULOR_COMPRESSED})

install(FILES ${TABULOR_LINUX_SOURCES}/${TABULOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TABULOR_LINUX_FILES}/${TABULOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TABULOR_LINUX_FILES}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TABULOR_LINUX_FILES}/tabulor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TABULOR_LINUX_SOURCES}/tabulor.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tabulor)
install(FILES ${TABULOR_LINUX_SOURCES}/copyright ${TABULOR_LINUX_FILES}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tabulor)
