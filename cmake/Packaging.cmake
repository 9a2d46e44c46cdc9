# Debian packages (cpack -G DEB), one per group of install components:
#   localmgmtproxy-platform-standin  platform              the stand-in's libraries: development machines only
#   liblocalmgmtproxy<soversion>     runtime               the proxy library: what goes onto a telephone
#   liblocalmgmtproxybus<soversion>  bus                   the bus transport (where it is built)
#   liblocalmgmtproxy-dev            development, testing  headers, CMake package, pkg-config, test kit
#   liblocalmgmtproxybus-dev         bus_development       the bus transport's development files
#   mgmtctl                          tool                  the command-line client
# The architecture is the target's, also in a cross build. Configure with
# CMAKE_INSTALL_PREFIX=/usr so the libraries land in the multiarch directory.
get_target_property(mgmt_soversion LocalMgmtProxy SOVERSION)

if(CMAKE_CROSSCOMPILING)
  # dpkg would answer with the build machine's architecture.
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(arm|armv7.*)$")
    set(mgmt_deb_arch armhf)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    set(mgmt_deb_arch arm64)
  else()
    message(FATAL_ERROR "No Debian architecture known for ${CMAKE_SYSTEM_PROCESSOR}")
  endif()
else()
  find_program(MGMT_DPKG dpkg)
  if(MGMT_DPKG)
    execute_process(COMMAND ${MGMT_DPKG} --print-architecture
      OUTPUT_VARIABLE mgmt_deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME localmgmtproxy)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "LocalMgmtProxy maintainers <localmgmtproxy@lists.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${mgmt_deb_arch})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
# Control files written here are installed with these permissions.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

set(mgmt_full_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
# Written out rather than computed by dpkg-shlibdeps: that needs the target's
# libraries registered with dpkg, which a cross build does not have. These are
# the floors of the Debian release the toolchains come from.
set(mgmt_system_depends "libc6 (>= 2.36), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
set(mgmt_control_dir ${PROJECT_BINARY_DIR}/packaging)
string(TIMESTAMP mgmt_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)

# mgmt_package(GROUP NAME SECTION [LIBRARIES] COMPONENTS names... DEPENDS text
#              DESCRIPTION text [RECOMMENDS text] [SHLIBS lines...] [OVERRIDES file])
# One package. Its copyright and Debian changelog go in with an install
# component of their own that a plain cmake --install leaves out
# (EXCLUDE_FROM_ALL); shlibs and the ldconfig trigger are written here rather
# than by CPack, whose shlibs come with ldconfig calls in maintainer scripts
# where Debian wants the trigger.
function(mgmt_package group package section)
  cmake_parse_arguments(PARSE_ARGV 3 arg "LIBRARIES" "DEPENDS;RECOMMENDS;DESCRIPTION;OVERRIDES" "COMPONENTS;SHLIBS")
  string(TOUPPER ${group} upper)
  foreach(component IN LISTS arg_COMPONENTS)
    string(TOUPPER ${component} component_upper)
    set(CPACK_COMPONENT_${component_upper}_GROUP ${group} PARENT_SCOPE)
  endforeach()
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS "${arg_DEPENDS}" PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_RECOMMENDS "${arg_RECOMMENDS}" PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_DESCRIPTION "${arg_DESCRIPTION}" PARENT_SCOPE)

  set(control ${mgmt_control_dir}/${package}.control)
  set(extra)
  if(arg_SHLIBS)
    list(JOIN arg_SHLIBS "\n" shlibs)
    file(WRITE ${control}/shlibs "${shlibs}\n")
    list(APPEND extra ${control}/shlibs)
  endif()
  if(arg_LIBRARIES)
    file(WRITE ${control}/triggers "activate-noawait ldconfig\n")
    list(APPEND extra ${control}/triggers)
  endif()
  set(CPACK_DEBIAN_${upper}_PACKAGE_CONTROL_EXTRA "${extra}" PARENT_SCOPE)

  set(docs debian_${group})
  string(TOUPPER ${docs} docs_upper)
  set(CPACK_COMPONENT_${docs_upper}_GROUP ${group} PARENT_SCOPE)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/debian/changelog.in ${mgmt_control_dir}/${package}/changelog.Debian @ONLY)
  execute_process(COMMAND gzip -9nf ${mgmt_control_dir}/${package}/changelog.Debian RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip of ${mgmt_control_dir}/${package}/changelog.Debian failed")
  endif()
  install(FILES ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/debian/copyright ${mgmt_control_dir}/${package}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${docs} EXCLUDE_FROM_ALL)
  if(arg_OVERRIDES)
    install(FILES ${arg_OVERRIDES} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
      RENAME ${package} COMPONENT ${docs} EXCLUDE_FROM_ALL)
  endif()
endfunction()

set(mgmt_runtime_package liblocalmgmtproxy${mgmt_soversion})
set(mgmt_standin_package localmgmtproxy-platform-standin)
set(mgmt_bus_package liblocalmgmtproxybus${mgmt_soversion})
set(mgmt_groups runtime development)

# What the proxies need of the platform on a development machine: the
# stand-in, unless they were built against the platform's own copy.
set(mgmt_platform_depends)
if(NOT MGMT_PLATFORM_DIR)
  list(APPEND mgmt_groups platform)
  set(mgmt_platform_depends ", ${mgmt_standin_package} (= ${mgmt_full_version})")
  mgmt_package(platform ${mgmt_standin_package} libs LIBRARIES
    COMPONENTS platform
    DEPENDS "${mgmt_system_depends}"
    OVERRIDES ${CMAKE_CURRENT_LIST_DIR}/debian/platform-standin.lintian-overrides
    DESCRIPTION "telephone platform libraries, stand-in for development machines
The remote-call framework, logging, data objects, memory information and
device administration libraries under the telephone platform's own names
and sonames, written from what the management proxies expect of them, so
that the proxies, their clients and mgmtctl build and run on a development
machine. Never install it on a telephone: it would take the place of the
platform's own libraries.")
endif()

mgmt_package(runtime ${mgmt_runtime_package} libs LIBRARIES
  COMPONENTS runtime
  DEPENDS "${mgmt_system_depends}"
  SHLIBS "libLocalMgmtProxy ${mgmt_soversion} ${mgmt_runtime_package} (>= ${PROJECT_VERSION})"
  DESCRIPTION "client proxies for the telephone's management services
The shared library the framework loads to reach the management service,
the action-event and the location-delivery services. It links the
telephone platform's libraries, which the telephone provides; on a
development machine, localmgmtproxy-platform-standin does.")

mgmt_package(development liblocalmgmtproxy-dev libdevel
  COMPONENTS development testing
  DEPENDS "${mgmt_runtime_package} (= ${mgmt_full_version})${mgmt_platform_depends}"
  # The test kit's mocks are built on gMock.
  RECOMMENDS "libgmock-dev"
  DESCRIPTION "client proxies for the telephone's management services - development files
Headers, CMake package and pkg-config file to build clients of the
management proxies, and the test kit to test them without a telephone.")

if(TARGET mgmt_bus)
  list(APPEND mgmt_groups bus bus_development)
  # The only package that needs sdbus-c++: the bus transport's headers do not
  # include it.
  mgmt_package(bus ${mgmt_bus_package} libs LIBRARIES
    COMPONENTS bus
    DEPENDS "${mgmt_system_depends}, libsdbus-c++1 (>= 1.2.0)${mgmt_platform_depends}"
    SHLIBS "libLocalMgmtProxyBus ${mgmt_soversion} ${mgmt_bus_package} (>= ${PROJECT_VERSION})"
    DESCRIPTION "D-Bus transport for the telephone's management proxies
A request channel that carries the proxies' calls to a management service
on a D-Bus bus, and the exporter that serves one there.")
  mgmt_package(bus_development liblocalmgmtproxybus-dev libdevel
    COMPONENTS bus_development
    DEPENDS "${mgmt_bus_package} (= ${mgmt_full_version}), liblocalmgmtproxy-dev (= ${mgmt_full_version})"
    DESCRIPTION "D-Bus transport for the telephone's management proxies - development files
Headers, CMake package and pkg-config file to bind the management proxies
to a service on a D-Bus bus, or to serve one there.")
endif()

if(TARGET mgmtctl)
  list(APPEND mgmt_groups tool)
  set(mgmt_tool_depends "${mgmt_system_depends}, ${mgmt_runtime_package} (= ${mgmt_full_version})${mgmt_platform_depends}")
  if(TARGET mgmt_bus)
    string(APPEND mgmt_tool_depends ", ${mgmt_bus_package} (= ${mgmt_full_version})")
  endif()
  mgmt_package(tool mgmtctl utils
    COMPONENTS tool
    DEPENDS "${mgmt_tool_depends}"
    DESCRIPTION "command-line client of the telephone's management services
Calls any operation of the management proxies and shows what each call
sends and receives, against a simulated telephone or a real one.")
endif()

set(CPACK_COMPONENTS_ALL)
foreach(group IN LISTS mgmt_groups)
  get_cmake_property(components COMPONENTS)
  foreach(component IN LISTS components)
    string(TOUPPER ${component} upper)
    if(CPACK_COMPONENT_${upper}_GROUP STREQUAL group)
      list(APPEND CPACK_COMPONENTS_ALL ${component})
    endif()
  endforeach()
endforeach()
get_cmake_property(mgmt_all_components COMPONENTS)
list(REMOVE_ITEM mgmt_all_components ${CPACK_COMPONENTS_ALL})
if(mgmt_all_components)
  message(WARNING "Install components in no package: ${mgmt_all_components}")
endif()

include(CPack)
