# A page of its own beside the site, drawing through the web build's OpenGL
# layer: TARGET built from SOURCES into NAME.js in the current build folder,
# with PAGE copied there as index.html.
function(vellmoor_test_page target name page)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE OpenGL::GL GLUT::GLUT)
  foreach(_library IN LISTS VELLMOOR_WEB_JS_LIBRARIES)
    target_link_options(${target} PRIVATE "SHELL:--js-library ${_library}")
  endforeach()
  target_link_options(${target} PRIVATE -sENVIRONMENT=web)
  set_target_properties(${target} PROPERTIES SUFFIX .js OUTPUT_NAME ${name}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${page} ${CMAKE_CURRENT_BINARY_DIR}/index.html)
  # Linked again, and the page copied again, when the page changes too.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${VELLMOOR_WEB_JS_LIBRARIES} ${page})
endfunction()
