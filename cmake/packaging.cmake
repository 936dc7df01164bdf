# The packages, made by `cpack` in a build folder: on Linux a Debian package of the Qt program,
# on Windows (the mingw-w64 cross build) an installer of the native program.
# scripts/package.sh makes them, and the portable .zip beside the installer.
set(CPACK_PACKAGE_NAME tabulor)
set(CPACK_PACKAGE_VENDOR Tabulor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TABULOR_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "spreadsheet to HTML table converter (in French)")
set(CPACK_PACKAGE_DESCRIPTION [[
Tabulor is a small French-language desktop tool. It turns a sheet of a
workbook (.xlsx, .xlsm or .ods, recognised by its content) or a spreadsheet
saved as text (Windows-1252, UTF-8 or UTF-16; tab-separated or CSV) into an
HTML table: a bare fragment, a full HTML 4.0 Strict document, a full
XHTML 1.1 document or a full HTML5 document. A workbook's cells are written
as the sheet shows them, numbers and dates in the French way, and merged
cells as spans.

A caption, header rows and columns, the border, CSS classes on the table,
its rows and its cells, and a text for empty cells can be chosen; the cell
text is entity-encoded. For screen readers, each cell can be tied to its
header cells (scope, or id and headers), as the RGAA and WCAG ask of data
tables. The destination is replaced only once the new table is complete.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_FILE_NAME tabulor-${PROJECT_VERSION}-win64-setup)
  # Our own installer script (cmake/NSIS.template.in) rather than CPack's: French only and
  # built on NSIS's 64-bit stub, which is also the only kind of installer Wine runs here.
  set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Tabulor)
  # One key for every version, so that an update replaces the entry in the programs list.
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tabulor)
  set(CPACK_NSIS_PACKAGE_NAME Tabulor)
  set(CPACK_NSIS_DISPLAY_NAME Tabulor)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  # The program, at the top of the installed folder: the shortcut's, the programs list's and the
  # finish page's.
  set(CPACK_NSIS_INSTALLED_ICON_NAME tabulor.exe)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/tabulor.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/tabulor.ico)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION text)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The Qt dialogs (file pickers, message box buttons) in French.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
