# Release builds are hardened with the flags Debian's dpkg-buildflags gives
# (hardening=+all): source fortification, a strong stack protector, format
# checks, position-independent executables, and relocations made read-only
# and bound at start (relro, bind-now). None of them changes a computed
# value. Sanitizer and fuzz builds bring their own instrumentation instead.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$"
   AND NOT QUORVEX_SANITIZE AND NOT QUORVEX_BUILD_FUZZ)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_definitions(_FORTIFY_SOURCE=2)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat
                      -Werror=format-security)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
