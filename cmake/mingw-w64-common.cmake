set(CMAKE_C_COMPILER ${HALYARD_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HALYARD_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HALYARD_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${HALYARD_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The program's own texts are code page 936 bytes at run time; sources stay UTF-8.
set(CMAKE_C_FLAGS_INIT "-finput-charset=UTF-8 -fexec-charset=CP936")
set(CMAKE_CXX_FLAGS_INIT "-finput-charset=UTF-8 -fexec-charset=CP936")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests of the Windows build run under Wine with the project's environment.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
