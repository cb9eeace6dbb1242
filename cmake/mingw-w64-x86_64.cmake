# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64). Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORNIK_MINGW_TRIPLE x86_64-w64-mingw32)

# The -posix variants: the win32 thread model of GCC 12 has no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${VORNIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNIK_MINGW_TRIPLE}-windres)

# Headers and libraries come from the target tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VORNIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime and winpthread linked in, so the executables need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
