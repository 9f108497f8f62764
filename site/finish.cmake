# Finishes a site folder holding the program and the page's files, in
# script mode (cmake -DSITE=... -DPAGE=... -P finish.cmake):
# - index.html from PAGE/index.html with the decoded sizes of the program's
#   wasm and data, which the progress bar counts towards;
# - service-worker.js from PAGE/service-worker.js, its cache named by a hash
#   of every file it keeps, so that each build's differs;
# - beside the big files, gzip -9 copies (GZIP) and brotli 11 ones (BROTLI),
#   for servers that send a file's compressed copy where asked; either may
#   be empty to write none.
foreach(_input SITE PAGE)
  if(NOT ${_input})
    message(FATAL_ERROR "finish.cmake: ${_input} is not set")
  endif()
endforeach()

file(SIZE ${SITE}/vellmoor.wasm VELLMOOR_WASM_BYTES)
file(SIZE ${SITE}/vellmoor.data VELLMOOR_DATA_BYTES)
configure_file(${PAGE}/index.html ${SITE}/index.html @ONLY)

set(_cached index.html page.js page.css favicon.png manifest.webmanifest
    vellmoor.js vellmoor.wasm vellmoor.data)
set(_hashes)
foreach(_file IN LISTS _cached)
  file(SHA256 ${SITE}/${_file} _hash)
  string(APPEND _hashes "${_hash} ${_file}\n")
endforeach()
string(SHA256 _build "${_hashes}")
string(SUBSTRING ${_build} 0 16 VELLMOOR_BUILD)
string(REPLACE ";" " " VELLMOOR_CACHED_FILES "${_cached}")
configure_file(${PAGE}/service-worker.js ${SITE}/service-worker.js @ONLY)

function(compress)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE _status)
  if(NOT _status EQUAL 0)
    message(FATAL_ERROR "finish.cmake: ${ARGN} failed (${_status})")
  endif()
endfunction()
foreach(_file vellmoor.js vellmoor.wasm vellmoor.data)
  if(GZIP)
    compress(${GZIP} -9 -n -k -f ${SITE}/${_file})
  endif()
  if(BROTLI)
    compress(${BROTLI} -q 11 -k -f ${SITE}/${_file})
  endif()
endforeach()
