# Install rules and the Debian package. The layout is fixed, because the
# program finds an installed copy of its data from its own folder
# (src/platform/files.cpp, DataDirFor): the game in <prefix>/games, its data
# in <prefix>/share/games/quendrix.
#
#   cmake --install <tree> [--prefix P]     (DESTDIR honoured)
#   cmake -DMANIFEST=<list> -P QuendrixUninstall.cmake  (removes what it lists;
#       keep a copy of <tree>/install_manifest.txt, which cpack rewrites)
#   cpack --config <tree>/CPackConfig.cmake  (build/quendrix_<version>_<arch>.deb)
#
# Installing builds nothing (CMAKE_SKIP_INSTALL_ALL_DEPENDENCY): build the
# targets quendrix, gamedata and quendrix_dist first, as the Makefile does.

set(QUENDRIX_MAINTAINER "Tarn Works <tarnworks@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")
set(QUENDRIX_HOMEPAGE "https://tarnworks.github.io/quendrix/")
set(QUENDRIX_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
set(QUENDRIX_DIST_OUT ${CMAKE_BINARY_DIR}/dist)

# The manual page and the package's change log, compressed as Debian wants
# them (gzip -9, no name or time stamp, so the bytes are the same each build).
set(QUENDRIX_DIST_GZ)
foreach(name quendrix.6 quendrix.de.6 changelog)
  add_custom_command(
    OUTPUT ${QUENDRIX_DIST_OUT}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUENDRIX_DIST_OUT}
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${QUENDRIX_DIST_DIR}/${name}
            ${QUENDRIX_DIST_OUT}/${name}.gz
    DEPENDS ${QUENDRIX_DIST_DIR}/${name}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND QUENDRIX_DIST_GZ ${QUENDRIX_DIST_OUT}/${name}.gz)
endforeach()
add_custom_target(quendrix_dist ALL DEPENDS ${QUENDRIX_DIST_GZ})

set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

if(TARGET quendrix)
  # Relocations read-only before the game runs, as distributions link their
  # programs.
  target_link_options(quendrix PRIVATE -Wl,-z,relro -Wl,-z,now)
  install(TARGETS quendrix RUNTIME DESTINATION games)
  # A stripped install (the package's) also drops the compiler's version
  # notes, as Debian's own stripping does.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/quendrix\"
                  COMMAND_ERROR_IS_FATAL ANY)
endif()")
endif()
# The data is whatever the build has generated beside the executables when
# installing, so new kinds of data need no new rule here.
install(CODE "set(QUENDRIX_DATA_FROM \"${CMAKE_RUNTIME_OUTPUT_DIRECTORY}\")
set(QUENDRIX_APP_ID \"${QUENDRIX_APP_ID}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/QuendrixInstallData.cmake)
install(FILES ${QUENDRIX_DIST_DIR}/${QUENDRIX_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${QUENDRIX_DIST_DIR}/${QUENDRIX_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${QUENDRIX_DIST_OUT}/quendrix.6.gz DESTINATION share/man/man6)
install(FILES ${QUENDRIX_DIST_OUT}/quendrix.de.6.gz DESTINATION share/man/de/man6
        RENAME quendrix.6.gz)
install(FILES ${QUENDRIX_DIST_DIR}/copyright ${QUENDRIX_DIST_OUT}/changelog.gz
        DESTINATION share/doc/quendrix)
install(FILES ${QUENDRIX_DIST_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME quendrix)

# The Debian package: the same install rules under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quendrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarn Works")
set(CPACK_PACKAGE_CONTACT ${QUENDRIX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mini-golf for one to four players on one machine")
set(CPACK_PACKAGE_DESCRIPTION
    "Quendrix is a game of mini-golf seen from above at a slant, for one to four
players taking turns at one machine. There are two courses of nine holes, a
garden course and a space course, and a training hole, with walls, slopes,
ramps, sand, water, pipes, launchers and switches. The rules for who opens a
hole, who plays next, ball collisions, extra and penalty strokes and scoring
are chosen before each game.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/build)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUENDRIX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUENDRIX_MAINTAINER})
# The libraries come from dpkg-shlibdeps; the launch pad draws its captions
# with DejaVu Sans, read at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
