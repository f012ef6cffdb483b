# Writes the uninstaller's list for the installer (alvetra.nsi): a Delete line for every file of
# the program's folder DIST and an RMDir line for every folder, the deepest first. The uninstaller
# removes exactly what was installed: preferences ("Serkano.ini") or settings files the user kept
# in the program's folder stay, and so does the folder then.
file(GLOB_RECURSE files RELATIVE ${DIST} ${DIST}/*)
set(lines "")
set(folders "")
foreach(file ${files})
  string(REPLACE "/" "\\" windows_path "${file}")
  string(APPEND lines "  Delete \"$INSTDIR\\${windows_path}\"\n")
  get_filename_component(folder "${file}" DIRECTORY)
  while(folder)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)   # "a/b" before "a"
foreach(folder ${folders})
  string(REPLACE "/" "\\" windows_path "${folder}")
  string(APPEND lines "  RMDir \"$INSTDIR\\${windows_path}\"\n")
endforeach()
file(WRITE ${OUT} "${lines}")
