# GMP for the WebAssembly build. No distribution packages GMP for
# WebAssembly, so it is built here from Debian's source package of the
# version the native build links, fetched by name with apt
# (scripts/fetch-debian-source), in portable C (no assembly), and linked
# statically. Defines the imported target Quorvex::gmpxx.
include(ExternalProject)

execute_process(COMMAND dpkg-query -W -f=\${source:Version} libgmp-dev
                OUTPUT_VARIABLE quorvex_gmp_version RESULT_VARIABLE quorvex_gmp_found
                ERROR_QUIET)
if(NOT quorvex_gmp_found EQUAL 0)
  set(quorvex_gmp_version "")
endif()
set(quorvex_gmp_prefix ${CMAKE_BINARY_DIR}/gmp)

# Debian's source leaves out the manual, and with it doc/Makefile.in, which
# configure still names; an empty one stands in.
set(quorvex_gmp_doc_stub
    "all install install-data install-exec uninstall clean distclean mostlyclean check installcheck:\n")
file(WRITE ${CMAKE_BINARY_DIR}/gmp-doc-Makefile.in "${quorvex_gmp_doc_stub}")

# make takes as many jobs as the surrounding build was given through
# CMAKE_BUILD_PARALLEL_LEVEL (as .ci/run and the scripts set it), else one.
ExternalProject_Add(gmp_wasm
  PREFIX ${quorvex_gmp_prefix}
  DOWNLOAD_COMMAND ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source gmp <SOURCE_DIR>
                   ${quorvex_gmp_version}
  PATCH_COMMAND ${CMAKE_COMMAND} -E make_directory <SOURCE_DIR>/doc
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/gmp-doc-Makefile.in
                <SOURCE_DIR>/doc/Makefile.in
  CONFIGURE_COMMAND emconfigure <SOURCE_DIR>/configure --host=none --build=x86_64-pc-linux-gnu
                    --disable-assembly --enable-cxx --disable-shared --enable-static
                    --prefix=<INSTALL_DIR> CFLAGS=-O2 CXXFLAGS=-O2
  BUILD_COMMAND sh -c "exec emmake make -j\"\${CMAKE_BUILD_PARALLEL_LEVEL:-1}\""
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
