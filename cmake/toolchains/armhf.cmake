# 32-bit ARM, hard-float (Debian armhf).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(MGMT_CROSS_TRIPLE arm-linux-gnueabihf)
set(MGMT_CROSS_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
# GCC notes each place where argument passing changed in GCC 7.1 on this
# target; everything here is built by one compiler, so the notes are noise.
set(CMAKE_CXX_FLAGS_INIT -Wno-psabi)
