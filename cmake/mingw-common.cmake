# Shared by both MinGW toolchains: posix-thread compilers, static runtime,
# and Wine to run what the build makes.
set(CMAKE_C_COMPILER ${VERDO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VERDO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VERDO_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VERDO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
get_filename_component(_verdo_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_verdo_root}/tools/wine-run")
