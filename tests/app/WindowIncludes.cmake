# Windows of different subsystems never include one another's headers: they meet through
# signals and callbacks connected in app/forms/Wiring.cpp (and program start). A window file
# may include window headers of its own folder; the parts windows share sit on a floor below
# them (src/widgets), and app/forms, the top, is included by no window. The main window's
# receive handler lives with the link (link/forms/Dispatcher.cpp) but is the main window's
# own code.
#
#     cmake -DSOURCE_DIR=<repository>/src -P WindowIncludes.cmake
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*/forms/*.cpp ${SOURCE_DIR}/*/forms/*.h)
if(NOT files)
  message(FATAL_ERROR "no window files under ${SOURCE_DIR}")
endif()
set(offences "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" folder "${file}")
  if(folder STREQUAL "app")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^#include \"[a-z]+/forms/")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "\"([a-z]+)/forms/([A-Za-z_]+)\\.h\"" header "${line}")
    set(other "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    if(other STREQUAL folder)
      continue()
    endif()
    if(file STREQUAL "link/forms/Dispatcher.cpp" AND other STREQUAL "measure" AND name STREQUAL "Main")
      continue()
    endif()
    list(APPEND offences "${file}: ${line}")
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " text)
  message(FATAL_ERROR "window files that include another subsystem's windows:\n  ${text}")
endif()
list(LENGTH files count)
message(STATUS "${count} window files include only their own folder's windows")
