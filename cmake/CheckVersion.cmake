# Run as a test: the packaging files that carry release history name the
# version of project() in CMakeLists.txt as their newest release, so the
# version is raised in one place and a forgotten release entry fails here.
#   -DVERSION=3.35   the project's version
#   -DPACKAGING=dir  the folder of changelog and rdx600.metainfo.xml
set(failures "")

file(STRINGS "${PACKAGING}/changelog" first LIMIT_COUNT 1)
if(NOT first MATCHES "^rdx600 \\(([^)]*)\\)")
  string(APPEND failures "changelog: no \"rdx600 (VERSION)\" on its first line\n")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  string(APPEND failures "changelog: newest entry is ${CMAKE_MATCH_1}, the project is ${VERSION}\n")
endif()

file(READ "${PACKAGING}/rdx600.metainfo.xml" metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]*)\"")
  string(APPEND failures "rdx600.metainfo.xml: no <release version=...>\n")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  string(APPEND failures "rdx600.metainfo.xml: newest release is ${CMAKE_MATCH_1}, the project is ${VERSION}\n")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
