# Sanitizer builds. Included before any target exists, so the flags reach
# everything in the build: the framework stand-in, the proxies, the tests and
# the tools. Mixing instrumented and plain code would hide errors that cross
# the boundary (a leak allocated in one library and lost in another).
#
#   MGMT_SANITIZE=address  AddressSanitizer + UndefinedBehaviorSanitizer (LeakSanitizer
#                          comes with ASan on Linux); any UB report is fatal. The UB
#                          set names `enum` (a load of a value its enumeration cannot
#                          hold) on its own: clang checks every such load, GCC only
#                          some, so CI also runs the proxy tests built with clang
#                          (.ci/clang.sh).
#   MGMT_SANITIZE=thread   ThreadSanitizer.
#   MGMT_BUILD_FUZZ=ON     libFuzzer coverage everywhere and the targets in fuzz/;
#                          clang only, normally together with MGMT_SANITIZE=address.

set_property(CACHE MGMT_SANITIZE PROPERTY STRINGS "" address thread)

if(MGMT_SANITIZE STREQUAL "address")
  set(MGMT_SANITIZER_FLAGS
    -fsanitize=address,undefined,enum -fno-omit-frame-pointer -fno-sanitize-recover=undefined,enum)
elseif(MGMT_SANITIZE STREQUAL "thread")
  set(MGMT_SANITIZER_FLAGS -fsanitize=thread)
elseif(NOT MGMT_SANITIZE STREQUAL "")
  message(FATAL_ERROR "MGMT_SANITIZE must be empty, 'address' or 'thread', not '${MGMT_SANITIZE}'")
else()
  set(MGMT_SANITIZER_FLAGS)
endif()

if(MGMT_SANITIZER_FLAGS)
  add_compile_options(${MGMT_SANITIZER_FLAGS})
  add_link_options(${MGMT_SANITIZER_FLAGS})
  message(STATUS "Sanitizer build: ${MGMT_SANITIZER_FLAGS}")
endif()

if(MGMT_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "MGMT_BUILD_FUZZ needs clang (libFuzzer); ${CMAKE_CXX_COMPILER_ID} given, fuzz targets skipped")
    set(MGMT_BUILD_FUZZ OFF CACHE BOOL "Build the libFuzzer targets in fuzz/ (clang only)" FORCE)
  else()
    # Coverage feedback from every library the fuzzer drives; only the fuzz
    # executables link libFuzzer's main (fuzz/CMakeLists.txt).
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()
