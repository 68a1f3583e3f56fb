# Cross-building the Windows (x86_64) artefacts with mingw-w64's GCC, posix thread model.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Test programs are run through wine64, so CTest and gtest discovery work on this host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
# The posix variants: the thread model the Debian packages build libstdc++ with for
# std::thread and std::mutex (winpthreads, linked statically like the rest).
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)
set(CMAKE_AR ${_mingw}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${_mingw}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${_mingw}-objdump CACHE FILEPATH "")
set(CMAKE_DLLTOOL ${_mingw}-dlltool CACHE FILEPATH "")

# Headers and libraries come from the mingw-w64 sysroot only; the build host's are for
# Linux. Programs (code generators, objdump) are the build host's.
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian installs the 64-bit loader outside PATH; /usr/bin/wine picks it when no 32-bit
# wine is installed, but calling it directly avoids the wrapper's hints.
find_program(CORVALENT2_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib/wine64 NO_DEFAULT_PATH)
find_program(CORVALENT2_WINE64 NAMES wine64 wine)
if(CORVALENT2_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVALENT2_WINE64})
endif()
