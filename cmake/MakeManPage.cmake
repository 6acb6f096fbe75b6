# Run at build time: makes the manual page of one program from its own help
# text, so that the page lists the options the program really has. Every page
# is made by this one script from the same layout: NAME with the summary,
# SYNOPSIS and OPTIONS from the help text, DESCRIPTION, SEE ALSO.
#
#   -DPROGRAM=path   the built program
#   -DNAME=rdx600    the page's name
#   -DHELP=--help    the argument that prints the help text (stdout or stderr)
#   -DSUMMARY=...    one line for NAME
#   -DDESCRIPTION=.. a paragraph for DESCRIPTION
#   -DSEE_ALSO=a;b   other pages
#   -DVERSION=x.y    the version of project() in CMakeLists.txt
#   -DOUT=path.1.gz  the compressed page
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} ${HELP}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
# The help text is on standard output, or on standard error for a program
# that prints its usage there; Qt's notes on standard error are left out.
set(help "${out}")
if(help STREQUAL "")
  set(help "${err}")
endif()
if(help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} ${HELP} printed nothing (exit status ${rc})")
endif()
# The program as the user calls it, not the build folder's path.
string(REPLACE "${PROGRAM}" "${NAME}" help "${help}")

# Text to roff: backslashes doubled, hyphens kept as hyphens, a line that
# starts with a period or an apostrophe protected.
function(roff_escape var text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

string(STRIP "${help}" help)
roff_escape(help "${help}")
roff_escape(summary "${SUMMARY}")
roff_escape(description "${DESCRIPTION}")
string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" name "${NAME}")
string(REPLACE "-" "\\-" help_option "${HELP}")

set(see "")
foreach(page IN LISTS SEE_ALSO)
  string(REPLACE "-" "\\-" page "${page}")
  if(see)
    string(APPEND see ",\n")
  endif()
  string(APPEND see ".BR ${page} (1)")
endforeach()

set(page ".TH \"${title}\" 1 \"\" \"RDX600 ${VERSION}\" \"User Commands\"
.SH NAME
${name} \\- ${summary}
.SH DESCRIPTION
${description}
.SH USAGE AND OPTIONS
The program's own help text (\\fB${name} ${help_option}\\fR):
.PP
.nf
${help}
.fi
")
if(see)
  string(APPEND page ".SH SEE ALSO\n${see}\n")
endif()

get_filename_component(dir "${OUT}" DIRECTORY)
get_filename_component(base "${OUT}" NAME_WLE)
file(WRITE "${dir}/${base}" "${page}")
# -n: no name or time stamp in the archive, so the page is the same at every build.
execute_process(COMMAND gzip -9nf "${dir}/${base}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${dir}/${base}")
endif()
