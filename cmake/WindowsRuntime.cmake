# For a build for Windows on Linux: the DLLs a Windows program of this build needs beside it
# (Qt's and mingw-w64's runtime), and Wine to run the tests, in a prefix of the build's own.

# mingw-w64's runtime, wherever this compiler keeps it.
set(alvetra_windows_runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "mingw-w64 has no ${dll}")
  endif()
  get_filename_component(found "${found}" REALPATH)
  list(APPEND alvetra_windows_runtime ${found})
endforeach()

# Qt's DLLs are in bin/ beside the lib/cmake/Qt6 folder this build found.
get_filename_component(alvetra_windows_qt_bin "${Qt6_DIR}/../../../bin" ABSOLUTE)

# Copies the runtime and the named Qt modules' DLLs beside a target's executable after it is built.
function(alvetra_deploy_windows_runtime target)
  set(files ${alvetra_windows_runtime})
  foreach(module ${ARGN})
    list(APPEND files ${alvetra_windows_qt_bin}/Qt6${module}.dll)
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

# What a window program loads besides the DLLs it links: the platform and style plugins, and Qt's
# own texts in Polish (Debian's qt6-translations-l10n; .qm files serve every platform). Qt finds
# plugins in folders named after their kind beside the executable; the program looks for the
# translation in "translations" there (src/app/QtTranslations.cpp).
get_filename_component(alvetra_windows_qt_plugins "${Qt6_DIR}/../../../plugins" ABSOLUTE)
set(ALVETRA_WINDOWS_PLUGINS platforms/qwindows.dll styles/qwindowsvistastyle.dll)
set(ALVETRA_QT_POLISH /usr/share/qt6/translations/qtbase_pl.qm)
if(NOT EXISTS ${ALVETRA_QT_POLISH})
  message(FATAL_ERROR "No ${ALVETRA_QT_POLISH} (package qt6-translations-l10n)")
endif()

function(alvetra_deploy_windows_plugins target)
  set(commands)
  foreach(plugin ${ALVETRA_WINDOWS_PLUGINS})
    get_filename_component(kind ${plugin} DIRECTORY)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/${kind}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${alvetra_windows_qt_plugins}/${plugin}
              $<TARGET_FILE_DIR:${target}>/${kind})
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD ${commands}
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ALVETRA_QT_POLISH} $<TARGET_FILE_DIR:${target}>/translations
    VERBATIM)
endfunction()

# Tests run through this: Wine in the build's own prefix (never the user's), quiet, with Qt's and
# the runtime's folders on the program's PATH.
# Wine sees this machine's root as drive Z:.
set(alvetra_runtime_dirs Z:${alvetra_windows_qt_bin})
foreach(dll ${alvetra_windows_runtime})
  get_filename_component(dir "${dll}" DIRECTORY)
  list(APPEND alvetra_runtime_dirs Z:${dir})
endforeach()
list(REMOVE_DUPLICATES alvetra_runtime_dirs)
list(JOIN alvetra_runtime_dirs ";" ALVETRA_WINEPATH)
set(ALVETRA_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
