# Debian packages (cpack -G DEB), one per group of install components:
#   liblocalmgmtproxy<soversion>  runtime              the shared libraries
#   liblocalmgmtproxy-dev         development, testing headers, CMake package, pkg-config, test kit
#   mgmtctl                       tool                 the command-line client
# The architecture is the target's, also in a cross build. Configure with
# CMAKE_INSTALL_PREFIX=/usr so the libraries land in the multiarch directory.
get_target_property(mgmt_soversion LocalMgmtProxy SOVERSION)
set(mgmt_runtime_package liblocalmgmtproxy${mgmt_soversion})

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
set(CPACK_COMPONENT_RUNTIME_GROUP runtime)
set(CPACK_COMPONENT_DEVELOPMENT_GROUP development)
set(CPACK_COMPONENT_TESTING_GROUP development)
set(CPACK_COMPONENT_TOOL_GROUP tool)
get_cmake_property(CPACK_COMPONENTS_ALL COMPONENTS)
if("Unspecified" IN_LIST CPACK_COMPONENTS_ALL)
  message(WARNING "An install rule has no COMPONENT; its files are in no package")
  list(REMOVE_ITEM CPACK_COMPONENTS_ALL Unspecified)
endif()

# Written out rather than computed by dpkg-shlibdeps: that needs the target's
# libraries registered with dpkg, which a cross build does not have. These are
# the floors of the Debian release the toolchains come from.
set(mgmt_system_depends "libc6 (>= 2.36), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
# The bus transport (host builds) links sdbus-c++.
if(TARGET mgmt_bus)
  string(APPEND mgmt_system_depends ", libsdbus-c++1 (>= 1.2.0)")
endif()
set(mgmt_exact_runtime "${mgmt_runtime_package} (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${mgmt_runtime_package})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${mgmt_system_depends}")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "client proxies for the telephone's management services
The shared library the framework loads to reach the management service,
the action-event and the location-delivery services, with the framework
library it links.")
# Written here rather than by CPack, whose shlibs come with ldconfig calls in
# maintainer scripts where Debian wants the ldconfig trigger.
set(mgmt_runtime_control ${PROJECT_BINARY_DIR}/packaging/${mgmt_runtime_package}.control)
file(WRITE ${mgmt_runtime_control}/shlibs
  "libLocalMgmtProxy ${mgmt_soversion} ${mgmt_runtime_package} (>= ${PROJECT_VERSION})\n"
  "libmgmt_framework ${mgmt_soversion} ${mgmt_runtime_package} (>= ${PROJECT_VERSION})\n")
if(TARGET mgmt_bus)
  file(APPEND ${mgmt_runtime_control}/shlibs
    "libmgmt_bus ${mgmt_soversion} ${mgmt_runtime_package} (>= ${PROJECT_VERSION})\n")
endif()
file(WRITE ${mgmt_runtime_control}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
  ${mgmt_runtime_control}/shlibs ${mgmt_runtime_control}/triggers)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME liblocalmgmtproxy-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${mgmt_exact_runtime}")
# The bus transport's headers include sdbus-c++'s.
if(TARGET mgmt_bus)
  string(APPEND CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS ", libsdbus-c++-dev (>= 1.2.0)")
endif()
# The test kit's mocks are built on gMock.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS "libgmock-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "client proxies for the telephone's management services - development files
Headers, CMake package and pkg-config file to build clients of the
management proxies, and the test kit to test them without a telephone.")

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME mgmtctl)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "${mgmt_system_depends}, ${mgmt_exact_runtime}")
set(CPACK_DEBIAN_TOOL_DESCRIPTION "command-line client of the telephone's management services
Calls any operation of the management proxies and shows what each call
sends and receives, against a simulated telephone or a real one.")

# Each package carries its copyright and a Debian changelog in its doc directory.
string(TIMESTAMP mgmt_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(mgmt_package_groups runtime development)
if(TARGET mgmtctl)
  list(APPEND mgmt_package_groups tool)
endif()
foreach(group ${mgmt_package_groups})
  string(TOUPPER ${group} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  set(docdir ${PROJECT_BINARY_DIR}/packaging/${package})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${docdir}/changelog.Debian @ONLY)
  execute_process(COMMAND gzip -9nf ${docdir}/changelog.Debian RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip of ${docdir}/changelog.Debian failed")
  endif()
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${docdir}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${group})
endforeach()

include(CPack)
