# The web build: Debian's emscripten (`make web` uses this file).
if(NOT DEFINED EMSCRIPTEN_ROOT_PATH)
  set(EMSCRIPTEN_ROOT_PATH /usr/share/emscripten)
endif()
include(${EMSCRIPTEN_ROOT_PATH}/cmake/Modules/Platform/Emscripten.cmake)

# emcc's JavaScript optimiser, run at link time, needs Debian's acorn
# module; a node that is not Debian's own does not look where it lies.
set(_vellmoor_node_path /usr/share/nodejs)
if(DEFINED ENV{NODE_PATH})
  string(APPEND _vellmoor_node_path ":$ENV{NODE_PATH}")
endif()
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${_vellmoor_node_path})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${_vellmoor_node_path})
