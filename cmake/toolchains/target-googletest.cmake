# GoogleTest for the target, compiled from the source Debian's googletest
# package installs (/usr/src/googletest), for builds whose sysroot has no
# GoogleTest of its own. The cross presets inject this file at project()
# through CMAKE_PROJECT_TOP_LEVEL_INCLUDES; it answers find_package(GTest).
include(FetchContent)

set(MGMT_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source to build for the target")
if(NOT EXISTS ${MGMT_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest source in ${MGMT_GTEST_SOURCE_DIR}: apt-get install googletest")
endif()

# Test-only: nothing of GoogleTest goes into an install or a package.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)

FetchContent_Declare(GTest SOURCE_DIR ${MGMT_GTEST_SOURCE_DIR} OVERRIDE_FIND_PACKAGE)

# A macro, so the found state lands in the caller's scope.
macro(mgmt_provide_target_googletest method package)
  if("${package}" STREQUAL "GTest")
    FetchContent_MakeAvailable(GTest)
  endif()
endmacro()
cmake_language(SET_DEPENDENCY_PROVIDER mgmt_provide_target_googletest SUPPORTED_METHODS FIND_PACKAGE)
