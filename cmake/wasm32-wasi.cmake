# Cross-compiles for wasm32-wasi with clang and lld, against Debian's WASI C
# library, libc++ and libc++abi for wasm32 (headers in
# SYSROOT/include/wasm32-wasi, libraries in SYSROOT/lib/wasm32-wasi) and
# compiler-rt's builtins for wasm32. web/CMakeLists.txt finds them and passes
# ADTLAB_WASM_CLANG (a clang++), ADTLAB_WASM_LD and ADTLAB_WASI_SYSROOT.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

set(CMAKE_CXX_COMPILER ${ADTLAB_WASM_CLANG})
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT ${ADTLAB_WASI_SYSROOT})
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=${ADTLAB_WASM_LD}")

# The compiler checks build a static library, not a program, and read this
# file again with the same three.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ADTLAB_WASM_CLANG ADTLAB_WASM_LD
     ADTLAB_WASI_SYSROOT)
