# MGMT_PLATFORM_DIR: build against the platform's own libraries instead of the
# stand-in in framework/, which is then not compiled at all. The directory
# holds Framework.h (in include/ or include/LocalMgmtProxy/) and the five
# libraries (in lib/ or lib/<multiarch>/): the layout of a platform SDK, and
# of `cmake --install <build> --component platform --prefix <dir>`.
#
# The same targets as the stand-in: mgmt_<name> for each library (imported)
# and mgmt_framework for all five. The tests, the test kit and mgmtctl use the
# stand-in's additions (log sink, level switches, reboot handler); against the
# real platform build the library alone (MGMT_BUILD_TESTS=OFF, MGMT_BUILD_TOOLS=OFF).

# Searched only there, also in a cross build, whose searches otherwise stay in
# the sysroot.
set(mgmt_platform_search PATHS ${MGMT_PLATFORM_DIR} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH NO_CACHE)

find_path(mgmt_platform_include Framework.h
  PATH_SUFFIXES include include/LocalMgmtProxy ${mgmt_platform_search})
if(NOT mgmt_platform_include)
  message(FATAL_ERROR "MGMT_PLATFORM_DIR=${MGMT_PLATFORM_DIR}: no Framework.h in include/ or include/LocalMgmtProxy/")
endif()

add_library(mgmt_framework INTERFACE)
target_include_directories(mgmt_framework INTERFACE ${mgmt_platform_include})
foreach(name IN LISTS MGMT_PLATFORM_LIBRARIES)
  unset(mgmt_platform_library)
  find_library(mgmt_platform_library NAMES ${name}
    PATH_SUFFIXES ${CMAKE_INSTALL_LIBDIR} lib/${CMAKE_LIBRARY_ARCHITECTURE} lib ${mgmt_platform_search})
  if(NOT mgmt_platform_library)
    message(FATAL_ERROR "MGMT_PLATFORM_DIR=${MGMT_PLATFORM_DIR}: no lib${name}.so in lib/ or ${CMAKE_INSTALL_LIBDIR}/")
  endif()
  add_library(mgmt_${name} SHARED IMPORTED GLOBAL)
  set_target_properties(mgmt_${name} PROPERTIES IMPORTED_LOCATION ${mgmt_platform_library})
  # An installed package names the platform's files by path.
  target_link_libraries(mgmt_framework INTERFACE
    $<BUILD_INTERFACE:mgmt_${name}> $<INSTALL_INTERFACE:${mgmt_platform_library}>)
endforeach()
message(STATUS "Platform: ${MGMT_PLATFORM_DIR} (framework/ not built)")
