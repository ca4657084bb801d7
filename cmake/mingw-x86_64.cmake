# 64-bit Windows with MinGW-w64: the build that the end-to-end tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TRIPLET x86_64-w64-mingw32)
# Debian names the compilers with the Win32 threading model "-win32"; MSYS2
# and other distributions give them the bare triplet name.
find_program(CMAKE_C_COMPILER NAMES ${TRIPLET}-gcc-win32 ${TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TRIPLET}-g++-win32 ${TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TRIPLET}-windres windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
