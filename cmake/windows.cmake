# What a Windows build of the program adds: the static freeglut, a windowed
# program, and the zip that is handed to users (`make windows`).

# The cross build links the static freeglut that scripts/windows-deps.sh
# builds; a native build against a freeglut DLL (vcpkg's, say) turns this off.
option(VELLMOOR_STATIC_FREEGLUT "freeglut is linked as a static library" ${CMAKE_CROSSCOMPILING})
if(VELLMOOR_STATIC_FREEGLUT)
  # Its header must not declare the functions as DLL imports, and the library
  # brings the Windows libraries it calls.
  target_compile_definitions(GLUT::GLUT INTERFACE FREEGLUT_STATIC)
  target_link_libraries(GLUT::GLUT INTERFACE OpenGL::GL winmm gdi32)
endif()

# A windowed program: started from Explorer it opens no console window
# beside the room. (A message about a missing image goes to standard error
# when there is one, and into a message box when there is none.)
set_target_properties(vellmoor PROPERTIES WIN32_EXECUTABLE ON)
if(MSVC)
  # MSVC looks for WinMain in a windowed program unless told to start at main.
  target_link_options(vellmoor PRIVATE /ENTRY:mainCRTStartup)
endif()

# The zip: the program with its four images beside it, a README and the licence.
set(VELLMOOR_ZIP_NAME vellmoor-${PROJECT_VERSION}-win64)
set(VELLMOOR_ZIP ${CMAKE_BINARY_DIR}/${VELLMOOR_ZIP_NAME}.zip)
set(_zip_stage ${CMAKE_BINARY_DIR}/${VELLMOOR_ZIP_NAME})
# Notepad-friendly line ends, and the version filled in.
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt ${_zip_stage}-README.txt
  @ONLY NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT ${VELLMOOR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E remove_directory ${_zip_stage}
  COMMAND ${CMAKE_COMMAND} -E remove ${VELLMOOR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_zip_stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vellmoor> ${VELLMOOR_IMAGES}
          ${CMAKE_SOURCE_DIR}/LICENSE ${_zip_stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${_zip_stage}-README.txt ${_zip_stage}/README.txt
  # The files at the top of the zip: Explorer's "Extract All" makes the folder.
  COMMAND ${CMAKE_COMMAND} -E chdir ${_zip_stage} ${CMAKE_COMMAND} -E tar cf ${VELLMOOR_ZIP}
          --format=zip $<TARGET_FILE_NAME:vellmoor> ${VELLMOOR_IMAGE_NAMES} README.txt LICENSE
  DEPENDS vellmoor ${VELLMOOR_IMAGES} ${CMAKE_SOURCE_DIR}/LICENSE ${_zip_stage}-README.txt
  COMMENT "Packing ${VELLMOOR_ZIP_NAME}.zip"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${VELLMOOR_ZIP})
