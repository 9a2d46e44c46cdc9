# 32-bit ARM, hard-float (Debian armhf).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(MGMT_CROSS_TRIPLE arm-linux-gnueabihf)
set(MGMT_CROSS_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
