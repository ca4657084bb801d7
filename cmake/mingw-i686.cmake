# 32-bit Windows (XP SP3 and later) with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TRIPLET i686-w64-mingw32)
# Debian names the compilers with the Win32 threading model "-win32"; MSYS2
# and other distributions give them the bare triplet name.
find_program(CMAKE_C_COMPILER NAMES ${TRIPLET}-gcc-win32 ${TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TRIPLET}-g++-win32 ${TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TRIPLET}-windres windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
