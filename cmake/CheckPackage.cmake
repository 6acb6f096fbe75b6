# Run as a test: builds the Debian package into a scratch folder and checks
# that it holds the programs, the manual, the desktop entry and the icon, and
# declares its dependencies. Prints the package's file list when it does not.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${log}")
endif()
file(GLOB debs ${OUT}/*.deb)
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${OUT}, found: ${debs}")
endif()
execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE files RESULT_VARIABLE rc)
execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
set(missing "")
foreach(expected
        "./usr/bin/rdx600\n" "./usr/bin/rdx600-cli\n" "./usr/bin/rdx600-sim\n"
        "./usr/share/rdx600/manual/index.html\n"
        "./usr/share/applications/rdx600.desktop\n"
        "./usr/share/icons/hicolor/scalable/apps/rdx600.svg\n")
  string(REGEX MATCH "[^\n]*${expected}" found "${files}\n")
  if(NOT found)
    list(APPEND missing "${expected}")
  endif()
endforeach()
foreach(dep "libqt6widgets6" "libqt6serialport6" "qt6-qpa-plugins" "libqcustomplot")
  if(NOT depends MATCHES "${dep}")
    list(APPEND missing "Depends: ${dep}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "the package lacks: ${missing}\nDepends: ${depends}\nfiles:\n${files}")
endif()
message(STATUS "package ${debs} holds every file; Depends: ${depends}")
