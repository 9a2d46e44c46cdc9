# GoogleTest for the target, compiled from the source Debian's googletest
# package installs (/usr/src/googletest), for builds whose sysroot has no
# GoogleTest of its own. The cross presets inject this file at project()
# through CMAKE_PROJECT_TOP_LEVEL_INCLUDES; it answers find_package(GTest).
#
# It is built and installed into the build tree once, at the first
# find_package, and then found like an installed package: imported targets,
# so targets that link GTest::gmock can still be exported, as on the host.
set(MGMT_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source to build for the target")
set(MGMT_GTEST_PREFIX ${CMAKE_BINARY_DIR}/_target-googletest)

function(mgmt_build_target_googletest)
  if(EXISTS ${MGMT_GTEST_PREFIX}/lib/cmake/GTest/GTestConfig.cmake)
    return()
  endif()
  if(NOT EXISTS ${MGMT_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest source in ${MGMT_GTEST_SOURCE_DIR}: apt-get install googletest")
  endif()
  message(STATUS "Building GoogleTest for the target into ${MGMT_GTEST_PREFIX}")
  set(build ${CMAKE_BINARY_DIR}/_target-googletest-build)
  foreach(step
      "-S;${MGMT_GTEST_SOURCE_DIR};-B;${build};-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE};-DCMAKE_BUILD_TYPE=Release;-DCMAKE_INSTALL_PREFIX=${MGMT_GTEST_PREFIX};-DCMAKE_INSTALL_LIBDIR=lib;-DCMAKE_POSITION_INDEPENDENT_CODE=ON"
      "--build;${build};-j2"
      "--install;${build}")
    execute_process(COMMAND ${CMAKE_COMMAND} ${step}
      OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "Building GoogleTest for the target failed (cmake ${step}):\n${output}")
    endif()
  endforeach()
endfunction()

# A macro, so the found state lands in the caller's scope.
macro(mgmt_provide_target_googletest method package)
  if("${package}" STREQUAL "GTest")
    mgmt_build_target_googletest()
    # The prefix lies outside the sysroot the toolchain confines searches to.
    find_package(GTest CONFIG BYPASS_PROVIDER
      PATHS ${MGMT_GTEST_PREFIX} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  endif()
endmacro()
cmake_language(SET_DEPENDENCY_PROVIDER mgmt_provide_target_googletest SUPPORTED_METHODS FIND_PACKAGE)
