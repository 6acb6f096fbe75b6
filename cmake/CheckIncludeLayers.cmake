# Run as a test: the folders of src/ include each other downward only.
#   platform/ <- program/ <- the subsystem folders <- shell/ <- app/, cli/
# Fails, printing the offending include lines, when
#   - a file below shell/ (platform, program or a subsystem folder) includes shell/,
#   - program/ includes anything but platform/, recording/recording.h and itself,
#   - platform/ includes another folder,
#   - cli/ includes shell/ui/,
#   - recording/recording.h (the data type program/ holds) includes anything
#     but platform/,
#   - two top-level folders of src/ include each other (program/ including
#     the recording model is the one exception the rule above makes safe).
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
set(bad "")
set(pairs "")
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" from "${f}")
  file(STRINGS ${SRC}/${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/")
  foreach(line ${lines})
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" target "${line}")
    string(REGEX MATCH "^[^/]+" to "${target}")
    if(NOT IS_DIRECTORY ${SRC}/${to})
      continue()
    endif()
    set(where "src/${f}: ${line}")
    if(NOT from STREQUAL "shell" AND NOT from STREQUAL "app" AND NOT from STREQUAL "cli"
       AND to STREQUAL "shell")
      list(APPEND bad "below shell/: ${where}")
    endif()
    if(from STREQUAL "program" AND NOT to STREQUAL "program" AND NOT to STREQUAL "platform"
       AND NOT target STREQUAL "recording/recording.h")
      list(APPEND bad "program/ reaches up: ${where}")
    endif()
    if(from STREQUAL "platform" AND NOT to STREQUAL "platform")
      list(APPEND bad "platform/ reaches up: ${where}")
    endif()
    if(f STREQUAL "recording/recording.h" AND NOT to STREQUAL "platform")
      list(APPEND bad "the recording model reaches up: ${where}")
    endif()
    if(from STREQUAL "cli" AND target MATCHES "^shell/ui/")
      list(APPEND bad "cli/ includes a window: ${where}")
    endif()
    if(NOT from STREQUAL to AND NOT (from STREQUAL "program" AND target STREQUAL "recording/recording.h"))
      list(APPEND pairs "${from}>${to}")
      list(APPEND "lines_${from}_${to}" "${where}")
    endif()
  endforeach()
endforeach()

list(REMOVE_DUPLICATES pairs)
foreach(pair ${pairs})
  string(REPLACE ">" ";" ends "${pair}")
  list(GET ends 0 a)
  list(GET ends 1 b)
  if("${b}>${a}" IN_LIST pairs AND a STRLESS b)
    list(APPEND bad "${a}/ and ${b}/ include each other:")
    foreach(l ${lines_${a}_${b}} ${lines_${b}_${a}})
      list(APPEND bad "    ${l}")
    endforeach()
  endif()
endforeach()

if(bad)
  list(JOIN bad "\n" text)
  message(FATAL_ERROR "includes that run against the layers of src/:\n${text}")
endif()
message(STATUS "includes of src/ run downward only")
