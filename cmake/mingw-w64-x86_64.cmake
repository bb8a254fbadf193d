# Cross build for 64-bit Windows with Debian's MinGW-w64, posix thread model (so that
# std::thread and std::mutex work). Programs are linked statically: an .exe runs with
# nothing beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GLYPHGRAB_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${GLYPHGRAB_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLYPHGRAB_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${GLYPHGRAB_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLYPHGRAB_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows 10 APIs (LCMapStringEx, CompareStringEx with locale names, ...).
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -DUNICODE -D_UNICODE")

# Test programs run under Wine; CTest and test discovery start them through it.
find_program(GLYPHGRAB_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(GLYPHGRAB_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GLYPHGRAB_WINE})
endif()
