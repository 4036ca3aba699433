# Fails when a source file includes from a folder above its own, so the
# folders of src/ keep depending one way: common at the bottom (it knows
# nothing of windows), the window layer (ui) on it, the feature folders on
# those two, the application (app, with the control panel) on top.
#   cmake -DSRC=<src folder> [-DSTAMP=<file to touch>] -P CheckIncludes.cmake
set(level_common 0)
set(level_ui 1)
foreach(feature playlist wallpaper capture scan settings lang tray dialogs resources)
  set(level_${feature} 2)
endforeach()
set(level_app 3)

file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(problems "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" own ${file})
  if(NOT DEFINED level_${own})
    string(APPEND problems "\n  ${file}: its folder '${own}' has no place in the order of folders")
    continue()
  endif()
  file(STRINGS ${SRC}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" target "${line}")
    if(NOT target MATCHES "/")
      continue()  # beside the file itself
    endif()
    string(REGEX MATCH "^[^/]+" folder ${target})
    if(NOT DEFINED level_${folder})
      continue()  # a library's header
    endif()
    if(level_${folder} GREATER level_${own})
      string(APPEND problems "\n  ${file} includes \"${target}\": ${folder}/ is above ${own}/")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes that point up the order of folders:${problems}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
