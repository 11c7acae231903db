# Cross-builds for 64-bit Windows with MinGW-w64; programs run under Wine (cmake/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLON_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model, which GoogleTest needs (std::mutex); linked statically, its thread
# library adds no DLL. The plain names are only links to one of the two models.
find_program(CMAKE_C_COMPILER NAMES ${QUILLON_MINGW_PREFIX}-gcc-posix ${QUILLON_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUILLON_MINGW_PREFIX}-g++-posix ${QUILLON_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_RC_COMPILER ${QUILLON_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${QUILLON_MINGW_PREFIX}-objdump)
set(CMAKE_STRIP ${QUILLON_MINGW_PREFIX}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLON_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is self-contained: no libstdc++, libgcc or winpthread DLL to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
