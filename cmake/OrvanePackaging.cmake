# The Debian package: `cmake --build build --target package` makes
# orvane-burn_<version>_<arch>.deb from everything the install rules put
# under /usr. Included last, after every folder has added its install rules.
include(GNUInstallDirs)

# The command users type: /usr/bin/orvane-burn is a relative link to the
# executable in the program folder (the program finds its folder through
# /proc/self/exe, which names the link's target).
file(RELATIVE_PATH ORVANE_BIN_LINK_TARGET "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${ORVANE_INSTALL_PROGRAM_DIR}/orvane-burn")
# Every file the CODE rules below make is made beside the build first and then
# installed with file(INSTALL): its mode and its folders' modes come from the
# rules, not from the umask of whoever installs.
set(ORVANE_INSTALL_STAGE "${CMAKE_BINARY_DIR}/packaging/installed")
file(MAKE_DIRECTORY "${ORVANE_INSTALL_STAGE}")
find_program(ORVANE_GZIP gzip REQUIRED)
install(CODE "
    file(REMOVE \"${ORVANE_INSTALL_STAGE}/orvane-burn\")
    file(CREATE_LINK \"${ORVANE_BIN_LINK_TARGET}\" \"${ORVANE_INSTALL_STAGE}/orvane-burn\" SYMBOLIC)
    file(INSTALL \"${ORVANE_INSTALL_STAGE}/orvane-burn\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    " COMPONENT program)

# The manual page comes from another part of the build; it is installed
# (compressed as Debian wants it: best compression, no time stamp) when the
# build made it, and skipped without complaint when it did not.
set(ORVANE_MANUAL_PAGE "${CMAKE_BINARY_DIR}/man/orvane-burn.1" CACHE FILEPATH
    "Manual page installed when the build has made it")
install(CODE "
    if(EXISTS \"${ORVANE_MANUAL_PAGE}\")
        execute_process(COMMAND \"${ORVANE_GZIP}\" -9nc \"${ORVANE_MANUAL_PAGE}\"
                        OUTPUT_FILE \"${ORVANE_INSTALL_STAGE}/orvane-burn.1.gz\" COMMAND_ERROR_IS_FATAL ANY)
        file(INSTALL \"${ORVANE_INSTALL_STAGE}/orvane-burn.1.gz\"
             DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1\"
             PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
    " COMPONENT doc)

install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" DESTINATION "${ORVANE_INSTALL_DOC_DIR}" COMPONENT doc)
# A native package's changelog, compressed without a time stamp in the
# header (gzip -n) so that the same sources make the same package.
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog.in" "${CMAKE_BINARY_DIR}/packaging/changelog" @ONLY)
install(CODE "
    execute_process(COMMAND \"${ORVANE_GZIP}\" -9nc \"${CMAKE_BINARY_DIR}/packaging/changelog\"
                    OUTPUT_FILE \"${ORVANE_INSTALL_STAGE}/changelog.gz\" COMMAND_ERROR_IS_FATAL ANY)
    file(INSTALL \"${ORVANE_INSTALL_STAGE}/changelog.gz\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${ORVANE_INSTALL_DOC_DIR}\"
         PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    " COMPONENT doc)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane-burn)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Orvane Burn developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write a DVD-Video folder to a recordable DVD or CD")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvane Burn writes a prepared DVD-Video folder (VIDEO_TS, AUDIO_TS,
JACKET_P and further files) to a recordable DVD or CD as a UDF and ISO 9660
disc that standalone players read. It erases rewritable discs, shows progress
with the time left, keeps a log, plays a sound at the end and runs unattended
from its command line. Its recording library drives recorders through libburn.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Orvane Burn developers <orvane-burn@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvane-burn.example.org/")
# Depends comes from the libraries the executable and NeroAPI.so link, as
# dpkg-shlibdeps finds them; NeroAPI.so itself lives in the program folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${ORVANE_PROGRAM_DIR}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
