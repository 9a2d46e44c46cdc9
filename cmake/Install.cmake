# cmake --install: the libraries with their sonames, the headers clients
# compile against (under include/LocalMgmtProxy/, as the targets' install
# include directories say), mgmtctl, a CMake package and a pkg-config file,
# and the test kit. Each rule belongs to one component, so packages can be
# cut along them (cmake --install --component NAME):
#   runtime      the shared libraries
#   development  headers, development links, CMake package, pkg-config file
#   testing      the test kit: its library, headers, CMake component, pkg-config file
#   tool         mgmtctl
include(CMakePackageConfigHelpers)

set(MGMT_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/LocalMgmtProxy)
set(MGMT_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/LocalMgmtProxy)

# The proxy library finds the framework library beside it, also when it is
# loaded by a process that does not link the framework itself.
set_target_properties(LocalMgmtProxy PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS LocalMgmtProxy mgmt_framework
  EXPORT LocalMgmtProxyTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT runtime
    NAMELINK_COMPONENT development)

install(FILES
    ${PROJECT_SOURCE_DIR}/include/ActionEventRequestIfc.h
    ${PROJECT_SOURCE_DIR}/include/LocalMgmtIfc.h
    ${PROJECT_SOURCE_DIR}/include/LocationDeliveryRequestIfc.h
    ${PROJECT_SOURCE_DIR}/include/MgmtInterfaceExport.h
    ${PROJECT_SOURCE_DIR}/src/ActionEventRequestProxy.h
    ${PROJECT_SOURCE_DIR}/src/LocalMgmtProxy.h
    ${PROJECT_SOURCE_DIR}/src/LocationDeliveryRequestProxy.h
    ${PROJECT_SOURCE_DIR}/src/ProxyFactory.h
    ${PROJECT_SOURCE_DIR}/framework/Framework.h
  DESTINATION ${MGMT_HEADER_DIR}
  COMPONENT development)

if(TARGET mgmtctl)
  # Its install RPATH ($ORIGIN/../lib) is set where the tool is defined.
  install(TARGETS mgmtctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
endif()

# The service description, which the test kit and the bus transport read.
install(TARGETS mgmt_description
  EXPORT LocalMgmtProxyTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  COMPONENT development)
install(FILES ${PROJECT_SOURCE_DIR}/description/include/description/ServiceDescription.h
  DESTINATION ${MGMT_HEADER_DIR}/description
  COMPONENT development)

install(EXPORT LocalMgmtProxyTargets
  NAMESPACE LocalMgmtProxy::
  DESTINATION ${MGMT_PACKAGE_DIR}
  COMPONENT development)

# The test kit: find_package(LocalMgmtProxy COMPONENTS testing) gives
# LocalMgmtProxy::testing.
install(TARGETS mgmt_testkit
  EXPORT LocalMgmtProxyTestingTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  COMPONENT testing)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/testkit/include/testing
  DESTINATION ${MGMT_HEADER_DIR}
  COMPONENT testing)
install(EXPORT LocalMgmtProxyTestingTargets
  NAMESPACE LocalMgmtProxy::
  DESTINATION ${MGMT_PACKAGE_DIR}
  COMPONENT testing)

configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/LocalMgmtProxyConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LocalMgmtProxyConfig.cmake
  INSTALL_DESTINATION ${MGMT_PACKAGE_DIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/LocalMgmtProxyConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/LocalMgmtProxyConfig.cmake
    ${PROJECT_BINARY_DIR}/LocalMgmtProxyConfigVersion.cmake
  DESTINATION ${MGMT_PACKAGE_DIR}
  COMPONENT development)

file(RELATIVE_PATH MGMT_PC_PREFIX_FROM_PCDIR
  "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" MGMT_PC_PREFIX_FROM_PCDIR "${MGMT_PC_PREFIX_FROM_PCDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/LocalMgmtProxy.pc.in
  ${PROJECT_BINARY_DIR}/LocalMgmtProxy.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/LocalMgmtProxy.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT development)
list(TRANSFORM CMAKE_DL_LIBS PREPEND "-l" OUTPUT_VARIABLE mgmt_dl_flags)
string(JOIN " " MGMT_DL_LIBS_FLAG ${mgmt_dl_flags})
configure_file(${CMAKE_CURRENT_LIST_DIR}/LocalMgmtProxy-testing.pc.in
  ${PROJECT_BINARY_DIR}/LocalMgmtProxy-testing.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/LocalMgmtProxy-testing.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT testing)

# The test doubles, where gMock was found.
include(${PROJECT_SOURCE_DIR}/testkit/doubles/Install.cmake)
