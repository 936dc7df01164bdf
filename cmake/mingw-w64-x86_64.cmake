# Cross build for 64-bit Windows with Debian's mingw-w64. Its "posix" variant is the one whose
# C++ library has std::thread and a complete std::filesystem.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TABULOR_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TABULOR_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TABULOR_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${TABULOR_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TABULOR_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked whole, so that a program runs on Windows or under Wine without the compiler's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib too: its import library would make the program need zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

# Programs built here run under Wine, in a prefix inside the build folder rather than the user's,
# made without asking to install Mono or Gecko, which nothing here uses.
find_program(TABULOR_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TABULOR_WINE)
  set(TABULOR_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH "Wine prefix that programs built here run in")
  set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${TABULOR_WINE_PREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=\;winemenubuilder.exe=d" ${TABULOR_WINE})
endif()
