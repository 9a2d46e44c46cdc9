# The headers clients compile against, one list per install component.
# cmake/Install.cmake installs each list under include/LocalMgmtProxy/ (the
# description's, the bus transport's and the kit's in a folder of that name),
# and the API reference (docs/CMakeLists.txt) documents them from the same lists.

# platform: the stand-in's (not installed with MGMT_PLATFORM_DIR).
set(MGMT_PLATFORM_HEADERS ${PROJECT_SOURCE_DIR}/framework/Framework.h)

# development
set(MGMT_DEVELOPMENT_HEADERS
  ${PROJECT_SOURCE_DIR}/include/ActionEventRequestIfc.h
  ${PROJECT_SOURCE_DIR}/include/LocalMgmtIfc.h
  ${PROJECT_SOURCE_DIR}/include/LocationDeliveryRequestIfc.h
  ${PROJECT_SOURCE_DIR}/include/MgmtInterfaceExport.h
  ${PROJECT_SOURCE_DIR}/src/ActionEventRequestProxy.h
  ${PROJECT_SOURCE_DIR}/src/LocalMgmtProxy.h
  ${PROJECT_SOURCE_DIR}/src/LocationDeliveryRequestProxy.h
  ${PROJECT_SOURCE_DIR}/src/ProxyFactory.h
)
set(MGMT_DESCRIPTION_HEADERS ${PROJECT_SOURCE_DIR}/description/include/description/ServiceDescription.h)

# bus_development (where the bus transport is built)
set(MGMT_BUS_HEADERS
  ${PROJECT_SOURCE_DIR}/bus/BusChannel.h
  ${PROJECT_SOURCE_DIR}/bus/BusContext.h
  ${PROJECT_SOURCE_DIR}/bus/BusControl.h
  ${PROJECT_SOURCE_DIR}/bus/BusFailures.h
  ${PROJECT_SOURCE_DIR}/bus/BusNames.h
  ${PROJECT_SOURCE_DIR}/bus/BusService.h
)

# testing: every header of the kit's include folders (the doubles' where gMock is found).
file(GLOB MGMT_TESTING_HEADERS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/testkit/include/testing/*.h)
file(GLOB MGMT_TESTING_DOUBLES_HEADERS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/testkit/doubles/include/testing/*.h)
