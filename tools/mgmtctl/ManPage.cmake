# Makes mgmtctl(1) from the tool's own texts: help2man reads --help and
# --version, and each command's `mgmtctl help COMMAND` becomes a subsection of
# COMMANDS, so the manual page says exactly what the tool says.
#   cmake -DTOOL=... -DHELP2MAN=... -DWORK=dir -DOUTPUT=mgmtctl.1 -P ManPage.cmake
execute_process(COMMAND ${TOOL} __complete "" OUTPUT_VARIABLE names RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TOOL} __complete failed: ${status}")
endif()
string(REGEX MATCHALL "[^\n]+" names "${names}")

# --version: the tool's version, then the library it loads.
execute_process(COMMAND ${TOOL} --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version MATCHES "^mgmtctl ([^\n]+)\n([^\n]+)")
  message(FATAL_ERROR "${TOOL} --version: unexpected '${version}'")
endif()
set(tool_version "${CMAKE_MATCH_1}")
set(library_line "${CMAKE_MATCH_2}")

set(include "${WORK}/mgmtctl.h2m")
file(WRITE ${include} "[FILES]\n${library_line}\n\n[COMMANDS]\n")
foreach(name IN LISTS names)
  if(name STREQUAL "help")
    continue()
  endif()
  execute_process(COMMAND ${TOOL} help ${name} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} help ${name} failed: ${status}")
  endif()
  # Verbatim, with what roff would read as an escape or a request made literal.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  file(APPEND ${include} ".SS ${name}\n.nf\n${text}.fi\n")
endforeach()

execute_process(
  COMMAND ${HELP2MAN} --no-info --section=1 --include=${include} --output=${OUTPUT}
          --version-string=${tool_version}
          "--name=call the telephone's management proxies against a simulated telephone"
          ${TOOL}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed: ${status}")
endif()

# Installed compressed, as man-db and Debian expect; -n keeps the build reproducible.
execute_process(COMMAND gzip -9n -c ${OUTPUT} OUTPUT_FILE ${OUTPUT}.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip of the manual page failed: ${status}")
endif()
