# Writes the installer's file lists for the staged folder DIST into OUT, as two macros:
#   HalyardInstallFiles  every file, folder by folder;
#   HalyardRemoveFiles   the same files, then the folders, deepest first (a folder that still holds
#                        something stays).
# A file below one of the folders in KEEP (the student's snippets) goes through the script's
# HalyardInstallKeptFile and HalyardRemoveKeptFile, which never touch a copy the student changed.
cmake_minimum_required(VERSION 3.20)
file(GLOB_RECURSE files RELATIVE ${DIST} ${DIST}/*)
file(GLOB_RECURSE dirs RELATIVE ${DIST} LIST_DIRECTORIES true ${DIST}/*)
list(REMOVE_ITEM dirs ${files})
list(SORT files)

set(install "!macro HalyardInstallFiles\n")
set(remove "!macro HalyardRemoveFiles\n")
foreach(rel ${files})
  get_filename_component(dir ${rel} DIRECTORY)
  get_filename_component(name ${rel} NAME)
  string(REPLACE "/" "\\" win_rel "${rel}")
  string(REPLACE "/" "\\" win_dir "${dir}")
  set(kept FALSE)
  foreach(k ${KEEP})
    if(rel MATCHES "^${k}/")
      set(kept TRUE)
    endif()
  endforeach()
  if(kept)
    string(APPEND install "  !insertmacro HalyardInstallKeptFile \"${win_dir}\" \"${name}\" \"${DIST}/${rel}\"\n")
    string(APPEND remove "  !insertmacro HalyardRemoveKeptFile \"${win_rel}\"\n")
  else()
    string(APPEND install "  !insertmacro HalyardInstallFile \"${win_dir}\" \"${DIST}/${rel}\"\n")
    string(APPEND remove "  Delete \"$INSTDIR\\${win_rel}\"\n")
  endif()
endforeach()

# Deepest folders first: "a/b" before "a".
set(by_depth)
foreach(dir ${dirs})
  string(REGEX REPLACE "[^/]" "" slashes "${dir}")
  string(LENGTH "${slashes}" depth)
  math(EXPR key "99 - ${depth}")
  list(APPEND by_depth "${key}|${dir}")
endforeach()
list(SORT by_depth)
foreach(entry ${by_depth})
  string(REGEX REPLACE "^[0-9]+\\|" "" dir "${entry}")
  string(REPLACE "/" "\\" win_dir "${dir}")
  string(APPEND remove "  RMDir \"$INSTDIR\\${win_dir}\"\n")
endforeach()
file(WRITE ${OUT} "; Generated from ${DIST} by cmake/nsis_files.cmake.\n${install}!macroend\n${remove}!macroend\n")
