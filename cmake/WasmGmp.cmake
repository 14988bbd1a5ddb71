# GMP for the WebAssembly build. No distribution packages GMP for
# WebAssembly, so it is built here from Debian's own source of the version
# the native build links, in portable C (no assembly), and linked
# statically. Defines the imported target Quorvex::gmpxx.
include(ExternalProject)

set(QUORVEX_GMP_SOURCE_URL
    "http://deb.debian.org/debian/pool/main/g/gmp/gmp_6.2.1+dfsg1.orig.tar.xz"
    CACHE STRING "Where the WebAssembly build fetches GMP's source from")
set(quorvex_gmp_prefix ${CMAKE_BINARY_DIR}/gmp)

# Debian's source leaves out the manual, and with it doc/Makefile.in, which
# configure still names; an empty one stands in.
set(quorvex_gmp_doc_stub
    "all install install-data install-exec uninstall clean distclean mostlyclean check installcheck:\n")
file(WRITE ${CMAKE_BINARY_DIR}/gmp-doc-Makefile.in "${quorvex_gmp_doc_stub}")

# Nothing else builds until GMP is there, so it takes every core.
cmake_host_system_information(RESULT quorvex_cores QUERY NUMBER_OF_LOGICAL_CORES)

ExternalProject_Add(gmp_wasm
  URL ${QUORVEX_GMP_SOURCE_URL}
  URL_HASH SHA256=471b9e463e04362a0124f215afc5f0a4b99caedeeb62634c61bbc12988efa64c
  DOWNLOAD_EXTRACT_TIMESTAMP ON
  PREFIX ${quorvex_gmp_prefix}
  PATCH_COMMAND ${CMAKE_COMMAND} -E make_directory <SOURCE_DIR>/doc
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/gmp-doc-Makefile.in
                <SOURCE_DIR>/doc/Makefile.in
  CONFIGURE_COMMAND emconfigure <SOURCE_DIR>/configure --host=none --build=x86_64-pc-linux-gnu
                    --disable-assembly --enable-cxx --disable-shared --enable-static
                    --prefix=<INSTALL_DIR> CFLAGS=-O2 CXXFLAGS=-O2
  BUILD_COMMAND emmake make -j${quorvex_cores}
  INSTALL_COMMAND emmake make install
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libgmp.a <INSTALL_DIR>/lib/libgmpxx.a)

file(MAKE_DIRECTORY ${quorvex_gmp_prefix}/include)
add_library(quorvex_gmp STATIC IMPORTED GLOBAL)
set_target_properties(quorvex_gmp PROPERTIES IMPORTED_LOCATION ${quorvex_gmp_prefix}/lib/libgmp.a
                      INTERFACE_INCLUDE_DIRECTORIES ${quorvex_gmp_prefix}/include)
add_library(quorvex_gmpxx STATIC IMPORTED GLOBAL)
set_target_properties(quorvex_gmpxx PROPERTIES IMPORTED_LOCATION ${quorvex_gmp_prefix}/lib/libgmpxx.a
                      INTERFACE_LINK_LIBRARIES quorvex_gmp)
add_dependencies(quorvex_gmp gmp_wasm)
add_dependencies(quorvex_gmpxx gmp_wasm)
add_library(Quorvex::gmpxx ALIAS quorvex_gmpxx)
