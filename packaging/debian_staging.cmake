# Run by CPack on the staged tree, after the install rules and before the
# Debian package is made from it: what Debian's policy asks beyond them.
#  - A game's command lives in /usr/games: the launcher is written there,
#    with its paths to the images and the program taken from that folder.
#  - The licence goes into the machine-readable copyright file, which takes
#    the place of LICENSE, and a native package carries changelog.gz.
set(usr "${CPACK_TEMPORARY_DIRECTORY}/usr")
set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")

# The launcher, moved from bin to games.
file(RELATIVE_PATH VELLMOOR_IMAGES_FROM_BINDIR "/usr/games" "/usr/${CPACK_VELLMOOR_IMAGES_DIR}")
file(RELATIVE_PATH VELLMOOR_PROGRAM_FROM_BINDIR "/usr/games" "/usr/${CPACK_VELLMOOR_PROGRAM}")
configure_file("${CPACK_VELLMOOR_LAUNCHER_TEMPLATE}" "${usr}/games/vellmoor" @ONLY)
file(CHMOD "${usr}/games/vellmoor" PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(REMOVE "${usr}/${CPACK_VELLMOOR_BINDIR}/vellmoor")
file(GLOB left "${usr}/${CPACK_VELLMOOR_BINDIR}/*")
if(NOT left)
  file(REMOVE_RECURSE "${usr}/${CPACK_VELLMOOR_BINDIR}")
endif()

# debian/copyright in the machine-readable format, from LICENSE: its copyright
# line, then its terms with every line indented and empty lines written " .".
file(READ "${CPACK_RESOURCE_FILE_LICENSE}" license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" found "${license}")
set(holders "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n+" "" terms "${license}")
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
file(WRITE "${doc}/copyright"
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${CPACK_PACKAGE_NAME}

Files: *
Copyright: ${holders}
License: Expat
 ${terms}
")
file(REMOVE "${doc}/LICENSE")

# The changelog of a native package: one entry for this version, dated by
# SOURCE_DATE_EPOCH when it is set, so that a rebuild can be identical.
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${doc}/changelog"
"${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Vellmoor ${CPACK_PACKAGE_VERSION}, built with CMake and CPack.

 -- ${CPACK_PACKAGE_CONTACT}  ${date}
")
execute_process(
  COMMAND gzip -9 -n -c "${doc}/changelog"
  OUTPUT_FILE "${doc}/changelog.gz"
  RESULT_VARIABLE failed)
file(REMOVE "${doc}/changelog")
if(failed)
  message(FATAL_ERROR "could not compress the changelog")
endif()
