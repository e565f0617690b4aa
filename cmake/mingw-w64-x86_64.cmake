# Cross build for 64-bit Windows with Debian's mingw-w64 compilers
# (g++-mingw-w64-x86-64-posix), tests run under Wine (wine64):
#
#   cmake -S . -B build-win64 --toolchain cmake/mingw-w64-x86_64.cmake
#
# Export WINEPREFIX (a folder under the build folder) and WINEDEBUG=-all
# before configuring: gtest_discover_tests runs the unit tests at build time,
# and without them Wine makes a prefix in the home folder and talks on stderr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: std::thread and std::mutex come from winpthreads.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything the runtime needs is linked in, so an .exe runs from any folder
# with nothing beside it. -static-libgcc -static-libstdc++ alone would still
# leave an import of libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest and gtest_discover_tests run the Windows programs through Wine's
# loader, in a UTF-8 locale (wine.sh says why).
set(CMAKE_CROSSCOMPILING_EMULATOR /bin/sh ${CMAKE_CURRENT_LIST_DIR}/wine.sh)
