# Cross toolchain: clang++ for x86_64 Windows on the mingw-w64 posix runtime,
# linked with lld and statically, so the DLLs need nothing beyond system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(MINGW_GCC_DIR /usr/lib/gcc/${MINGW_TRIPLE}/12-posix)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLE})

set(CMAKE_SYSROOT_COMPILE /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(_mingw_includes
    "-isystem ${MINGW_GCC_DIR}/include/c++ -isystem ${MINGW_GCC_DIR}/include/c++/${MINGW_TRIPLE} \
-isystem ${MINGW_GCC_DIR}/include/c++/backward")
set(CMAKE_C_FLAGS_INIT "-fms-extensions")
set(CMAKE_CXX_FLAGS_INIT "-fms-extensions -nostdinc++ ${_mingw_includes}")
set(_mingw_link "-fuse-ld=lld -static -L${MINGW_GCC_DIR}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${_mingw_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_mingw_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_mingw_link}")
set(CMAKE_CXX_STANDARD_LIBRARIES "-lstdc++ -lwinpthread")

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
