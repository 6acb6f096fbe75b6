# Run as a test after package_holds_everything (which leaves the package in
# OUT): lintian must find no error in it. Its warnings and notes are printed
# but do not fail the test.
file(GLOB debs ${OUT}/*.deb)
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${OUT}, found: ${debs}")
endif()
execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 ${debs}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
message(STATUS "lintian ${debs}:\n${out}${err}")
string(REGEX MATCHALL "(^|\n)E: [^\n]*" errors "${out}")
if(errors)
  message(FATAL_ERROR "lintian reports errors:${errors}")
endif()
# Status 2 and above: lintian itself failed (status 1 means tags were found).
if(rc GREATER 1 OR NOT rc MATCHES "^[0-9]+$")
  message(FATAL_ERROR "lintian did not run (status ${rc}): ${err}")
endif()
