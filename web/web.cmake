# The web build's OpenGL, GLU and GLUT: the project's own OpenGL 1.1 layer on
# WebGL 2 (web/gl), its GLUT for a web page (web/glut), and GLU's quadrics,
# mipmaps and projection helpers compiled from Debian's libglu sources, so
# the program's sources build unchanged and draw the same geometry.
if(CMAKE_VERSION VERSION_LESS 3.21)
  message(FATAL_ERROR "The web build needs CMake 3.21 or later")
endif()
enable_language(C)

set(VELLMOOR_GLU_SOURCE ${CMAKE_BINARY_DIR}/third-party/glu-9.0.2 CACHE PATH
  "GLU's sources for the web build (scripts/web-deps.sh fetches them)")
if(NOT EXISTS ${VELLMOOR_GLU_SOURCE}/src/libutil/quad.c)
  message(FATAL_ERROR "GLU's sources are not in ${VELLMOOR_GLU_SOURCE}: run "
    "scripts/web-deps.sh ${CMAKE_BINARY_DIR}/third-party (make web does)")
endif()

# The program catches a failed allocation of a texture's pixels.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

file(GLOB _web_gl_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/gl/*.cpp)
add_library(vellmoor_webgl STATIC ${_web_gl_sources}
  ${CMAKE_SOURCE_DIR}/web/glut/glut.cpp ${CMAKE_SOURCE_DIR}/web/glut/solids.cpp)
target_include_directories(vellmoor_webgl PUBLIC ${CMAKE_SOURCE_DIR}/web/include
  ${VELLMOOR_GLU_SOURCE}/include)

set(_glu ${VELLMOOR_GLU_SOURCE}/src/libutil)
add_library(vellmoor_glu STATIC ${_glu}/quad.c ${_glu}/mipmap.c ${_glu}/project.c
  ${_glu}/error.c ${_glu}/glue.c)
target_include_directories(vellmoor_glu PRIVATE ${VELLMOOR_GLU_SOURCE}/src/include)
target_link_libraries(vellmoor_glu PUBLIC vellmoor_webgl)
# Someone else's code, built as it comes.
target_compile_options(vellmoor_glu PRIVATE -w)

add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_libraries(OpenGL::GL INTERFACE vellmoor_webgl)
add_library(OpenGL::GLU INTERFACE IMPORTED)
target_link_libraries(OpenGL::GLU INTERFACE vellmoor_glu)
add_library(GLUT::GLUT INTERFACE IMPORTED)
target_link_libraries(GLUT::GLUT INTERFACE vellmoor_webgl)

# The renderer's view of the layer's structures, generated from its headers
# (web/gl/layout) by a program built here and run under node.
add_executable(vellmoor_layout ${CMAKE_SOURCE_DIR}/web/gl/layout/generate_layout.cpp)
target_include_directories(vellmoor_layout PRIVATE ${CMAKE_SOURCE_DIR}/web ${CMAKE_SOURCE_DIR}/web/include)
target_link_options(vellmoor_layout PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sSINGLE_FILE=1)
set(VELLMOOR_WEB_LAYOUT ${CMAKE_BINARY_DIR}/vgl_layout.js)
add_custom_command(OUTPUT ${VELLMOOR_WEB_LAYOUT}
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vellmoor_layout> ${VELLMOOR_WEB_LAYOUT}
  DEPENDS vellmoor_layout
  COMMENT "The renderer's layout of the layer's structures"
  VERBATIM)
add_custom_target(vellmoor_layout_js DEPENDS ${VELLMOOR_WEB_LAYOUT})
# Whatever links the layer links the renderer, which needs the layout first.
add_dependencies(vellmoor_webgl vellmoor_layout_js)
