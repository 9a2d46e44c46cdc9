# Hardened build (MGMT_HARDEN=ON): fortified libc calls, stack canaries, and a
# relocation table that is read-only once the library is loaded (full RELRO,
# immediate binding). Applies to everything defined after this file.
if(NOT MGMT_HARDEN)
  return()
endif()

if(MGMT_SANITIZE STREQUAL "address")
  # ASan replaces the checked libc calls with its own; fortify only gets in its way.
  message(STATUS "Hardening: _FORTIFY_SOURCE left out of the ASan build")
else()
  # Fortify checks are inserted by the optimiser; an unoptimised build would
  # only get glibc's warning, which -Werror turns into a failure.
  add_compile_options(
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  if(NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    message(WARNING "MGMT_HARDEN: _FORTIFY_SOURCE needs an optimised build; not applied to '${CMAKE_BUILD_TYPE}'")
  endif()
endif()

add_compile_options(-fstack-protector-strong)
add_link_options(-Wl,-z,relro,-z,now)
