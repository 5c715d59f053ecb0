# Cross build for 64-bit Windows with Debian's mingw-w64 compilers. The posix
# thread variant gives the C++ library std::thread and std::mutex (GoogleTest
# uses them); libgcc, libstdc++ and winpthread are linked statically so the
# executables need no DLL beyond those that ship with Windows. Programs built
# here run through wine in a private prefix under build/.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Every cross-built program (tests, test discovery) starts through wine in the
# project's own prefix, created on first use.
get_filename_component(VANTORA_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../tests/win32/wine_run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTORA_WINE_RUN})
