# The Debian package, made by CPack from the install rules (`make package`
# writes vellmoor_VERSION_amd64.deb in the build folder).
set(VELLMOOR_PACKAGE_CONTACT "Vellmoor developers <maintainers@users.noreply.c-seed-5825b476.example>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellmoor)
set(CPACK_PACKAGE_CONTACT "${VELLMOOR_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "walk through a furnished pub room in real-time 3D")
set(CPACK_PACKAGE_DESCRIPTION
"Vellmoor is an interactive, real-time 3D walk-through of a furnished pub
room. Walk about with the keyboard and look about with the mouse: two pool
tables under green-shaded lamps, an L-shaped bar with stools and shelves of
bottles, round tables with chairs, dartboards on the wall, and a mirror ball
turning over a chequered floor while a red, a green and a blue spot lamp
flash into it.

It is drawn with fixed-function OpenGL lighting, display lists and GLUT, and
runs smoothly on a software renderer such as Mesa's llvmpipe.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the program itself (dpkg-shlibdeps). Through them
# (libgl1, libglx0, libglx-mesa0) Debian 12 brings Mesa's DRI drivers, whose
# software renderer opens the window on a machine without a GPU.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Debian's own files and places, added to the staged tree (debian_staging.cmake).
if(CMAKE_VERSION VERSION_LESS 3.19)
  message(STATUS "The Debian package needs CMake 3.19 or later; `make package` will not work")
endif()
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_SOURCE_DIR}/debian_staging.cmake")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_VELLMOOR_LAUNCHER_TEMPLATE "${CMAKE_CURRENT_SOURCE_DIR}/vellmoor.in")
set(CPACK_VELLMOOR_BINDIR "${CMAKE_INSTALL_BINDIR}")
set(CPACK_VELLMOOR_IMAGES_DIR "${VELLMOOR_IMAGES_DIR}")
set(CPACK_VELLMOOR_PROGRAM "${VELLMOOR_PROGRAM_DIR}/vellmoor")

set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git" "/build[^/]*/")
include(CPack)
