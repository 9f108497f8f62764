# The program as a web page: vellmoor.js, its wasm and its data (the four
# images in the working directory of its file system), with the page, in
# the folder `site` and the zip vellmoor-VERSION-web.zip (`make web`).
set(_web ${CMAKE_SOURCE_DIR}/web)
set(_site ${CMAKE_SOURCE_DIR}/site)
target_sources(vellmoor PRIVATE ${_site}/views.cpp ${CMAKE_SOURCE_DIR}/tools/viewpoints.cpp)
target_include_directories(vellmoor PRIVATE ${CMAKE_SOURCE_DIR}/tools)
set(_images)
foreach(_image IN LISTS VELLMOOR_IMAGES)
  get_filename_component(_name ${_image} NAME)
  list(APPEND _images "SHELL:--preload-file ${_image}@/${_name}")
endforeach()
set(VELLMOOR_WEB_JS_LIBRARIES ${VELLMOOR_WEB_LAYOUT} ${_web}/js/renderer.js ${_web}/js/shaders.js ${_web}/js/window.js)
foreach(_library IN LISTS VELLMOOR_WEB_JS_LIBRARIES)
  target_link_options(vellmoor PRIVATE "SHELL:--js-library ${_library}")
endforeach()
target_link_options(vellmoor PRIVATE ${_images}
  -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=2GB -sABORTING_MALLOC=0
  -sEXIT_RUNTIME=1
  "SHELL:-s EXPORTED_RUNTIME_METHODS=[ccall]")
set_property(TARGET vellmoor APPEND PROPERTY LINK_DEPENDS ${VELLMOOR_WEB_JS_LIBRARIES} ${VELLMOOR_IMAGES})
set_target_properties(vellmoor PROPERTIES SUFFIX .js)

# The site: the program, the page, its service worker, manifest and icon,
# and compressed copies of the big files; zipped with the files at the top,
# ready to be put on any static web server.
set(_program vellmoor.js vellmoor.wasm vellmoor.data)
set(_compressed)
find_program(VELLMOOR_GZIP gzip)
find_program(VELLMOOR_BROTLI brotli)
foreach(_tool gzip brotli)
  string(TOUPPER ${_tool} _variable)
  string(SUBSTRING ${_tool} 0 2 _suffix)
  if(VELLMOOR_${_variable})
    list(TRANSFORM _program APPEND .${_suffix} OUTPUT_VARIABLE _copies)
    list(APPEND _compressed ${_copies})
  else()
    message(STATUS "${_tool} not found: the site has no .${_suffix} copies (a server compressing as it sends still can)")
    set(VELLMOOR_${_variable} "")
  endif()
endforeach()
option(VELLMOOR_WEB_OFFLINE "Browsers keep the site for a start without a network; OFF writes a worker that takes earlier builds' copies away" ON)
set(VELLMOOR_SITE ${CMAKE_BINARY_DIR}/site)
set(VELLMOOR_WEB_ZIP ${CMAKE_BINARY_DIR}/vellmoor-${PROJECT_VERSION}-web.zip)
set(_templates ${_site}/page/index.html ${_site}/page/service-worker.js
    ${_site}/page/service-worker-removal.js)
set(_page ${_site}/page/page.js ${_site}/page/decisions.js ${_site}/page/page.css ${_site}/page/manifest.webmanifest)
set(_site_files ${_program} index.html page.js decisions.js page.css manifest.webmanifest service-worker.js
    favicon.png LICENSE ${_compressed})
add_custom_command(OUTPUT ${VELLMOOR_WEB_ZIP}
  COMMAND ${CMAKE_COMMAND} -E remove_directory ${VELLMOOR_SITE}
  COMMAND ${CMAKE_COMMAND} -E remove ${VELLMOOR_WEB_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELLMOOR_SITE}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND} -E copy ${_program} ${VELLMOOR_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy ${_page} ${CMAKE_SOURCE_DIR}/LICENSE ${VELLMOOR_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/vellmoor.png ${VELLMOOR_SITE}/favicon.png
  COMMAND ${CMAKE_COMMAND} -DSITE=${VELLMOOR_SITE} -DPAGE=${_site}/page
          -DGZIP=${VELLMOOR_GZIP} -DBROTLI=${VELLMOOR_BROTLI} -DOFFLINE=${VELLMOOR_WEB_OFFLINE}
          -P ${_site}/finish.cmake
  COMMAND ${CMAKE_COMMAND} -E chdir ${VELLMOOR_SITE} ${CMAKE_COMMAND} -E tar cf ${VELLMOOR_WEB_ZIP}
          --format=zip ${_site_files}
  DEPENDS vellmoor ${_templates} ${_page} ${_site}/finish.cmake ${CMAKE_SOURCE_DIR}/LICENSE
          ${CMAKE_SOURCE_DIR}/packaging/vellmoor.png
  COMMENT "The site in ${VELLMOOR_SITE} and ${VELLMOOR_WEB_ZIP}"
  VERBATIM)
add_custom_target(web_site ALL DEPENDS ${VELLMOOR_WEB_ZIP})

# Beside the site, not in it: the pages the lighting probe and the scenes draw in.
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/web/probe ${CMAKE_BINARY_DIR}/probe)
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/web/scenes ${CMAKE_BINARY_DIR}/scenes)
