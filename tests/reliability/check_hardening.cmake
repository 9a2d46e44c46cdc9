# Reads the built library's ELF headers and dynamic symbols and fails unless
# the hardened link and compile options took effect:
#   PT_GNU_RELRO present         relocations read-only after loading
#   BIND_NOW (DT_FLAGS or NOW in DT_FLAGS_1)   ... all of them, resolved at load
#   __stack_chk_fail referenced  stack canaries in functions with local buffers
#   __printf_chk referenced      fortified printf (the reboot fallback prints)
# Usage: cmake -DLIBRARY=<path> -DREADELF=<readelf> -P check_hardening.cmake
foreach(variable LIBRARY READELF)
  if(NOT ${variable})
    message(FATAL_ERROR "check_hardening.cmake: ${variable} not given")
  endif()
endforeach()

function(readelf_output flag out)
  execute_process(COMMAND ${READELF} --wide ${flag} ${LIBRARY}
    OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf ${flag} ${LIBRARY} failed: ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

readelf_output(--program-headers segments)
readelf_output(--dynamic dynamic)
readelf_output(--dyn-syms symbols)

set(problems "")
if(NOT segments MATCHES "GNU_RELRO")
  list(APPEND problems "no PT_GNU_RELRO segment (link with -z relro)")
endif()
if(NOT dynamic MATCHES "\\(FLAGS\\)[^\n]*BIND_NOW" AND NOT dynamic MATCHES "\\(FLAGS_1\\)[^\n]*NOW")
  list(APPEND problems "neither DT_FLAGS BIND_NOW nor DT_FLAGS_1 NOW (link with -z now)")
endif()
if(NOT symbols MATCHES "UND[^\n]* __stack_chk_fail")
  list(APPEND problems "__stack_chk_fail not referenced (compile with -fstack-protector-strong)")
endif()
if(NOT symbols MATCHES "UND[^\n]* __printf_chk")
  list(APPEND problems "__printf_chk not referenced (compile with -D_FORTIFY_SOURCE=2 and optimisation)")
endif()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${LIBRARY} is not hardened:\n  ${text}")
endif()
message(STATUS "${LIBRARY}: full RELRO, immediate binding, stack protector, fortified calls")
