# The doubles go with the test kit's install component, as a target and a
# pkg-config file of their own because they bring gMock along:
#   find_package(LocalMgmtProxy COMPONENTS testing) -> LocalMgmtProxy::testing_doubles
#   pkg-config LocalMgmtProxy-testing-doubles
# Included from cmake/Install.cmake, whose directories it uses.
if(NOT TARGET mgmt_testkit_doubles)
  return()
endif()

install(TARGETS mgmt_testkit_doubles
  EXPORT LocalMgmtProxyTestingDoublesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  COMPONENT testing)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/include/testing
  DESTINATION ${MGMT_HEADER_DIR}
  COMPONENT testing)
install(EXPORT LocalMgmtProxyTestingDoublesTargets
  NAMESPACE LocalMgmtProxy::
  DESTINATION ${MGMT_PACKAGE_DIR}
  COMPONENT testing)

configure_file(${CMAKE_CURRENT_LIST_DIR}/LocalMgmtProxy-testing-doubles.pc.in
  ${PROJECT_BINARY_DIR}/LocalMgmtProxy-testing-doubles.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/LocalMgmtProxy-testing-doubles.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT testing)
