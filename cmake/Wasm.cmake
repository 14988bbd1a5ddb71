# Settings of the WebAssembly build (emscripten's toolchain).
include(cmake/WasmGmp.cmake)

# Header-only libraries of the system, each in a folder of its own, so that
# /usr/include itself never comes before emscripten's C library.
set(QUORVEX_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
foreach(folder fast_float fmt Spectra)
  if(NOT EXISTS ${QUORVEX_HOST_HEADERS}/${folder})
    file(MAKE_DIRECTORY ${QUORVEX_HOST_HEADERS})
    file(CREATE_LINK /usr/include/${folder} ${QUORVEX_HOST_HEADERS}/${folder} SYMBOLIC)
  endif()
endforeach()

# Exceptions carry the clean stops and the reading errors. WebAssembly's own
# exception instructions (every current browser, Node 20) cost nothing until
# one is thrown; emscripten's emulation went out to JavaScript and back around
# every call that might throw, a tenth of the time at order 1000. The memory
# grows with the order of the system.
add_compile_options(-fwasm-exceptions)
# WebAssembly's 128-bit vectors (in every current browser and Node): the
# rounded row updates run two doubles at a time, with the same IEEE results.
add_compile_options(-msimd128)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB -sTOTAL_STACK=4MB)
