# Shared by the per-target toolchain files: Debian's cross compilers, their
# sysroot under /usr/<triple>, and qemu-user to run what they build, so that
# try_run, gtest_discover_tests and ctest all work as on the host.
# Expects MGMT_CROSS_TRIPLE and MGMT_CROSS_QEMU to be set by the includer.
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${MGMT_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${MGMT_CROSS_TRIPLE}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${MGMT_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -L: the emulated dynamic loader and libc come from the cross sysroot.
set(CMAKE_CROSSCOMPILING_EMULATOR ${MGMT_CROSS_QEMU} -L /usr/${MGMT_CROSS_TRIPLE})
