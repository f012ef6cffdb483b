# The Windows program as fitters get it, built on Linux: one folder holding the executables, the
# Qt libraries and plugins they load, mingw-w64's runtime and the data (`cmake --install`, the
# target windows_dist), a portable zip of that folder (windows_zip) and an installer made with
# NSIS (windows_installer). scripts/windows.sh builds all three.
#
# Everything lives in the program's folder, as the program expects on Windows
# (src/files/ProgramFolders.cpp): the executables and the data share one folder.
set(ALVETRA_INSTALL_BINDIR .)
set(ALVETRA_INSTALL_DATADIR .)

# The icon of alvetra.exe and of the installer, drawn by the Linux build (data/icons), which
# scripts/windows.sh makes first.
set(ALVETRA_WINDOWS_ICON ${ALVETRA_HOST_BUILD_DIR}/data/icons/generated/alvetra.ico)
if(NOT ALVETRA_WINDOW)
  return()   # alvetra-cli.exe alone, built and tested in place
endif()
if(NOT EXISTS ${ALVETRA_WINDOWS_ICON})
  message(FATAL_ERROR "No ${ALVETRA_WINDOWS_ICON}: build the Linux tree first (ALVETRA_HOST_BUILD_DIR)")
endif()

install(FILES ${alvetra_windows_runtime} DESTINATION .)
foreach(module Core Gui Widgets)
  install(FILES ${alvetra_windows_qt_bin}/Qt6${module}.dll DESTINATION .)
endforeach()
foreach(plugin ${ALVETRA_WINDOWS_PLUGINS})
  get_filename_component(kind ${plugin} DIRECTORY)
  install(FILES ${alvetra_windows_qt_plugins}/${plugin} DESTINATION ${kind})
endforeach()
install(FILES ${ALVETRA_QT_POLISH} DESTINATION translations)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../copyright DESTINATION . RENAME copyright.txt)

set(ALVETRA_WINDOWS_DIST ${CMAKE_BINARY_DIR}/dist/Alvetra)
set(ALVETRA_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/alvetra-${PROJECT_VERSION}-windows.zip)
set(ALVETRA_WINDOWS_SETUP ${CMAKE_BINARY_DIR}/alvetra-${PROJECT_VERSION}-setup.exe)

add_custom_target(windows_dist
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/dist
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${ALVETRA_WINDOWS_DIST} --strip
  COMMENT "The program's folder: ${ALVETRA_WINDOWS_DIST}"
  VERBATIM)

add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ALVETRA_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${ALVETRA_WINDOWS_ZIP} --format=zip Alvetra
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/dist
  COMMENT "The portable zip: ${ALVETRA_WINDOWS_ZIP}"
  VERBATIM)
add_dependencies(windows_zip windows_dist)

find_program(ALVETRA_MAKENSIS makensis)
if(ALVETRA_MAKENSIS)
  add_custom_target(windows_installer
    COMMAND ${CMAKE_COMMAND} -DDIST=${ALVETRA_WINDOWS_DIST} -DOUT=${CMAKE_BINARY_DIR}/uninstall-files.nsh
            -P ${CMAKE_CURRENT_LIST_DIR}/UninstallList.cmake
    COMMAND ${ALVETRA_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DDIST=${ALVETRA_WINDOWS_DIST}
            -DUNINSTALL_LIST=${CMAKE_BINARY_DIR}/uninstall-files.nsh -DOUTFILE=${ALVETRA_WINDOWS_SETUP}
            -DICON=${ALVETRA_WINDOWS_ICON} ${CMAKE_CURRENT_LIST_DIR}/alvetra.nsi
    COMMENT "The installer: ${ALVETRA_WINDOWS_SETUP}"
    VERBATIM)
  add_dependencies(windows_installer windows_dist)
endif()
