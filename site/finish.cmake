# Finishes a site folder holding the program and the page's files, in
# script mode (cmake -DSITE=... -DPAGE=... -P finish.cmake):
# - index.html from PAGE/index.html with the build's name and, for each of
#   the program's files, its decoded size and SHA-256, which the page checks
#   what it downloads against and asks for it by (file?v=SHA-256), so that no
#   cache can hand it another build's copy;
# - service-worker.js from PAGE/service-worker.js, with the SHA-256 of every
#   file it keeps and a cache named by the build; or, with OFFLINE set to a
#   false value, from PAGE/service-worker-removal.js, a worker that takes
#   itself and its caches away from browsers that kept an earlier build;
# - beside the big files, gzip -9 copies (GZIP) and brotli 11 ones (BROTLI),
#   for servers that send a file's compressed copy where asked; either may
#   be empty to write none.
foreach(_input SITE PAGE)
  if(NOT ${_input})
    message(FATAL_ERROR "finish.cmake: ${_input} is not set")
  endif()
endforeach()
if(NOT DEFINED OFFLINE)
  set(OFFLINE ON)
endif()

set(_program vellmoor.js vellmoor.wasm vellmoor.data)
set(_kept page.js decisions.js page.css favicon.png manifest.webmanifest ${_program})
# The build is named by every file it is made of, the page's template
# included, so a change to any one of them makes a new name.
file(SHA256 ${PAGE}/index.html _identity)
set(VELLMOOR_KEPT_FILES)
foreach(_file IN LISTS _kept)
  file(SHA256 ${SITE}/${_file} _hash_${_file})
  string(APPEND _identity " ${_file}=${_hash_${_file}}")
  list(APPEND VELLMOOR_KEPT_FILES "${_file}=${_hash_${_file}}")
endforeach()
string(SHA256 _build "${_identity}")
string(SUBSTRING ${_build} 0 16 VELLMOOR_BUILD)
string(REPLACE ";" " " VELLMOOR_KEPT_FILES "${VELLMOOR_KEPT_FILES}")

set(VELLMOOR_PROGRAM_FILES)
foreach(_file IN LISTS _program)
  file(SIZE ${SITE}/${_file} _size)
  list(APPEND VELLMOOR_PROGRAM_FILES "${_file}=${_size}:${_hash_${_file}}")
endforeach()
string(REPLACE ";" " " VELLMOOR_PROGRAM_FILES "${VELLMOOR_PROGRAM_FILES}")
set(VELLMOOR_PAGE_JS ${_hash_page.js})
set(VELLMOOR_DECISIONS_JS ${_hash_decisions.js})
set(VELLMOOR_PAGE_CSS ${_hash_page.css})
if(OFFLINE)
  set(VELLMOOR_WORKER keep)
  configure_file(${PAGE}/service-worker.js ${SITE}/service-worker.js @ONLY)
else()
  set(VELLMOOR_WORKER remove)
  configure_file(${PAGE}/service-worker-removal.js ${SITE}/service-worker.js COPYONLY)
endif()
configure_file(${PAGE}/index.html ${SITE}/index.html @ONLY)

function(compress)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE _status)
  if(NOT _status EQUAL 0)
    message(FATAL_ERROR "finish.cmake: ${ARGN} failed (${_status})")
  endif()
endfunction()
foreach(_file IN LISTS _program)
  if(GZIP)
    compress(${GZIP} -9 -n -k -f ${SITE}/${_file})
  endif()
  if(BROTLI)
    compress(${BROTLI} -q 11 -k -f ${SITE}/${_file})
  endif()
endforeach()
