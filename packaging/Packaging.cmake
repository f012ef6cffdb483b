# Installation layout, desktop integration and the Debian package (cpack -G DEB).
#
# The executables go to <prefix>/bin and everything they read to <prefix>/share/alvetra: the
# program finds its data folder as ../share/alvetra from its own folder (src/files/ProgramFolders),
# so these two folders must keep this relation.
set(ALVETRA_INSTALL_BINDIR bin)
set(ALVETRA_INSTALL_DATADIR share/alvetra)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/alvetra.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/alvetra)

# Manual pages, compressed as Debian keeps them.
find_program(ALVETRA_GZIP gzip)
foreach(page alvetra.1 alvetra-unit.1 alvetra-cli.1 pl/alvetra.1)
  set(page_source ${CMAKE_CURRENT_LIST_DIR}/man/${page})
  if(NOT EXISTS ${page_source})
    continue()
  endif()
  get_filename_component(page_dir ${page} DIRECTORY)
  if(page_dir)
    set(man_dir share/man/${page_dir}/man1)
  else()
    set(man_dir share/man/man1)
  endif()
  if(ALVETRA_GZIP)
    set(page_out ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(
      OUTPUT ${page_out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/${page_dir}
      COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${ALVETRA_GZIP} ${page_source} ${page_out}
      DEPENDS ${page_source}
      VERBATIM)
    list(APPEND alvetra_man_pages ${page_out})
    install(FILES ${page_out} DESTINATION ${man_dir})
  else()
    install(FILES ${page_source} DESTINATION ${man_dir})
  endif()
endforeach()
if(alvetra_man_pages)
  add_custom_target(alvetra_man_pages ALL DEPENDS ${alvetra_man_pages})
endif()

# ---- Debian package
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME alvetra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Alvetra")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "car-alarm control unit programmer over RS232")
set(CPACK_PACKAGE_CONTACT "Alvetra maintainers <maintainers@users.noreply.c-seed-fda3e337.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the first line; CPack indents these lines by one blank.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Alvetra lets a car-alarm fitter connect to the alarm control unit through an
RS232 serial port (or a USB adapter) with the unit's PC access password, read
its configuration, change it on ten tabs (codes, turn signals, central locks,
anti-theft and anti-hijack locks, re-arming, the car's CAN group), write it
back, learn and erase remotes and tokens, list and clear the event history,
watch the unit's inputs live and keep settings files for offline work.

The user interface and the manual are in Polish. The simulated unit built into
the program (alvetra --simulator) serves for training; alvetra-unit serves it
on a pseudo-terminal.")

# The libraries come from the executables (dpkg-shlibdeps); what they load at run time does not:
# the platform plugins, the fonts the window is laid out for, Qt's Polish translations (its own
# dialogs and buttons), and the opener of the manual.
set(alvetra_runtime_depends "qt6-qpa-plugins (>= 6.4), qt6-translations-l10n, fonts-liberation2, fonts-dejavu-core")
find_program(ALVETRA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ALVETRA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${alvetra_runtime_depends}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), libudev1, ${alvetra_runtime_depends}")
endif()
# The opener of the manual, a PDF viewer, and the native Wayland platform plugin (without it the
# program runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, evince | okular | atril | qpdfview | mupdf | pdf-viewer, qt6-wayland")

include(CPack)
