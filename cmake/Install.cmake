# cmake --install: every install rule of the project, one section per install
# component, so packages can be cut along them (cmake --install --component NAME):
#   platform         the stand-in's five libraries and Framework.h: the
#                    platform as a development machine has it (not built
#                    with MGMT_PLATFORM_DIR)
#   runtime          libLocalMgmtProxy.so.1: what goes onto a telephone
#   bus              the bus transport's library
#   development      headers, development link, CMake package and pkg-config
#                    file of the proxies, and the service description
#   bus_development  the same for the bus transport
#   testing          the test kit and its doubles
#   tool             mgmtctl, its completion, manual page and example script
# Installed headers go under include/LocalMgmtProxy/, as the targets' install
# include directories say.
include(CMakePackageConfigHelpers)

set(MGMT_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/LocalMgmtProxy)
set(MGMT_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/LocalMgmtProxy)

# pkg-config files are relocatable: every path is found from where they lie.
file(RELATIVE_PATH MGMT_PC_PREFIX_FROM_PCDIR "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" MGMT_PC_PREFIX_FROM_PCDIR "${MGMT_PC_PREFIX_FROM_PCDIR}")

# mgmt_install_pc(NAME COMPONENT): cmake/NAME.pc.in into lib/pkgconfig.
function(mgmt_install_pc name component)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.pc.in ${PROJECT_BINARY_DIR}/${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${name}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT ${component})
endfunction()

# mgmt_install_package(NAME DIR COMPONENT): cmake/NAMEConfig.cmake.in, its
# version file and the export set NAMETargets, for find_package(NAME).
function(mgmt_install_package name dir component)
  install(EXPORT ${name}Targets NAMESPACE LocalMgmtProxy:: DESTINATION ${dir} COMPONENT ${component})
  configure_package_config_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}Config.cmake.in
    ${PROJECT_BINARY_DIR}/${name}Config.cmake INSTALL_DESTINATION ${dir})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/${name}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/${name}Config.cmake ${PROJECT_BINARY_DIR}/${name}ConfigVersion.cmake
    DESTINATION ${dir} COMPONENT ${component})
endfunction()

# ---------------------------------------------------------------------------
# platform

list(TRANSFORM MGMT_PLATFORM_LIBRARIES PREPEND "-l" OUTPUT_VARIABLE mgmt_platform_flags)
string(JOIN " " MGMT_PC_PLATFORM_LIBS ${mgmt_platform_flags})
if(MGMT_PLATFORM_DIR)
  # The platform's own copy stays where it is; clients are pointed there.
  get_target_property(mgmt_platform_library mgmt_ProxyRequest IMPORTED_LOCATION)
  get_filename_component(mgmt_platform_libdir ${mgmt_platform_library} DIRECTORY)
  string(PREPEND MGMT_PC_PLATFORM_LIBS "-L${mgmt_platform_libdir} -Wl,-rpath,${mgmt_platform_libdir} ")
  set(MGMT_PC_PLATFORM_CFLAGS "-I${mgmt_platform_include}")
  set(mgmt_platform_targets)
else()
  set(MGMT_PC_PLATFORM_CFLAGS "")
  list(TRANSFORM MGMT_PLATFORM_LIBRARIES PREPEND mgmt_ OUTPUT_VARIABLE mgmt_platform_targets)
  install(TARGETS ${mgmt_platform_targets} EXPORT LocalMgmtProxyTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT platform)
  install(FILES ${PROJECT_SOURCE_DIR}/framework/Framework.h DESTINATION ${MGMT_HEADER_DIR} COMPONENT platform)
endif()

# ---------------------------------------------------------------------------
# runtime

# The proxy library finds the platform's libraries beside it, also when it is
# loaded by a process that does not link them itself.
set_target_properties(LocalMgmtProxy PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS LocalMgmtProxy mgmt_framework EXPORT LocalMgmtProxyTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development)

# ---------------------------------------------------------------------------
# development

install(FILES
    ${PROJECT_SOURCE_DIR}/include/ActionEventRequestIfc.h
    ${PROJECT_SOURCE_DIR}/include/LocalMgmtIfc.h
    ${PROJECT_SOURCE_DIR}/include/LocationDeliveryRequestIfc.h
    ${PROJECT_SOURCE_DIR}/include/MgmtInterfaceExport.h
    ${PROJECT_SOURCE_DIR}/src/ActionEventRequestProxy.h
    ${PROJECT_SOURCE_DIR}/src/LocalMgmtProxy.h
    ${PROJECT_SOURCE_DIR}/src/LocationDeliveryRequestProxy.h
    ${PROJECT_SOURCE_DIR}/src/ProxyFactory.h
  DESTINATION ${MGMT_HEADER_DIR} COMPONENT development)

# The service description, which the test kit is built on.
install(TARGETS mgmt_description EXPORT LocalMgmtProxyTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/description/include/description
  DESTINATION ${MGMT_HEADER_DIR} COMPONENT development)

mgmt_install_package(LocalMgmtProxy ${MGMT_PACKAGE_DIR} development)
mgmt_install_pc(LocalMgmtProxy development)

# ---------------------------------------------------------------------------
# bus, bus_development: a package of its own beside LocalMgmtProxy, so client
# code asks for the bus only when it wants it: find_package(LocalMgmtProxyBus)
# gives LocalMgmtProxy::bus, pkg-config LocalMgmtProxyBus the same.

if(TARGET mgmt_bus)
  set_target_properties(mgmt_bus PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS mgmt_bus EXPORT LocalMgmtProxyBusTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT bus NAMELINK_COMPONENT bus_development)
  install(FILES
      ${PROJECT_SOURCE_DIR}/bus/BusChannel.h ${PROJECT_SOURCE_DIR}/bus/BusContext.h
      ${PROJECT_SOURCE_DIR}/bus/BusFailures.h
      ${PROJECT_SOURCE_DIR}/bus/BusNames.h ${PROJECT_SOURCE_DIR}/bus/BusService.h
    DESTINATION ${MGMT_HEADER_DIR}/bus COMPONENT bus_development)
  mgmt_install_package(LocalMgmtProxyBus ${CMAKE_INSTALL_LIBDIR}/cmake/LocalMgmtProxyBus bus_development)
  mgmt_install_pc(LocalMgmtProxyBus bus_development)
endif()

# ---------------------------------------------------------------------------
# testing: find_package(LocalMgmtProxy COMPONENTS testing) gives
# LocalMgmtProxy::testing and, where gMock was found, LocalMgmtProxy::testing_doubles,
# a target and a pkg-config file of their own because they bring gMock along.

install(TARGETS mgmt_testkit EXPORT LocalMgmtProxyTestingTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT testing)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/testkit/include/testing DESTINATION ${MGMT_HEADER_DIR} COMPONENT testing)
install(EXPORT LocalMgmtProxyTestingTargets NAMESPACE LocalMgmtProxy::
  DESTINATION ${MGMT_PACKAGE_DIR} COMPONENT testing)
list(TRANSFORM CMAKE_DL_LIBS PREPEND "-l" OUTPUT_VARIABLE mgmt_dl_flags)
string(JOIN " " MGMT_DL_LIBS_FLAG ${mgmt_dl_flags})
mgmt_install_pc(LocalMgmtProxy-testing testing)

if(TARGET mgmt_testkit_doubles)
  install(TARGETS mgmt_testkit_doubles EXPORT LocalMgmtProxyTestingDoublesTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT testing)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/testkit/doubles/include/testing
    DESTINATION ${MGMT_HEADER_DIR} COMPONENT testing)
  install(EXPORT LocalMgmtProxyTestingDoublesTargets NAMESPACE LocalMgmtProxy::
    DESTINATION ${MGMT_PACKAGE_DIR} COMPONENT testing)
  mgmt_install_pc(LocalMgmtProxy-testing-doubles testing)
endif()

# ---------------------------------------------------------------------------
# tool

if(TARGET mgmtctl)
  # Its install RPATH ($ORIGIN/../lib) is set where the tool is defined.
  install(TARGETS mgmtctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
  # Where bash-completion looks for it under the prefix.
  install(FILES ${PROJECT_SOURCE_DIR}/tools/mgmtctl/mgmtctl-completion.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME mgmtctl COMPONENT tool)
  if(TARGET mgmtctl_manual)
    install(FILES ${PROJECT_BINARY_DIR}/tools/mgmtctl/mgmtctl.1.gz
      DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
  endif()
  # The example session script, for `mgmtctl run`.
  install(FILES ${PROJECT_SOURCE_DIR}/examples/calls.txt
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT tool)
endif()
# The simulated telephone's service program, where the bus transport is built.
if(TARGET mgmt-simulated-phone)
  install(TARGETS mgmt-simulated-phone RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
  if(TARGET mgmt_simulated_phone_manual)
    install(FILES ${PROJECT_BINARY_DIR}/tools/simulated-phone/mgmt-simulated-phone.1.gz
      DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
  endif()
endif()
