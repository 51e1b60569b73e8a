# Run by `cmake --install` (included, so that file(INSTALL) lists every file
# in the install manifest): copies the generated data from
# QUENDRIX_DATA_FROM, the folder of the executables, to
# share/games/quendrix, and the application icons from its "icons" folder
# ("icons/<size>/quendrix.png", "icons/scalable/quendrix.svg") into the
# hicolor theme under the name QUENDRIX_APP_ID, and the catalogues from
# "locale" into share/locale. Programs (ELF files), build
# stamps and previews stay behind.

if(NOT IS_DIRECTORY "${QUENDRIX_DATA_FROM}")
  message(FATAL_ERROR "no generated data in ${QUENDRIX_DATA_FROM}: build the target gamedata")
endif()
if(NOT EXISTS "${QUENDRIX_DATA_FROM}/gui.dxg")
  message(FATAL_ERROR "${QUENDRIX_DATA_FROM} holds no game data: build the target gamedata")
endif()

file(GLOB_RECURSE _quendrix_files LIST_DIRECTORIES false RELATIVE "${QUENDRIX_DATA_FROM}"
     "${QUENDRIX_DATA_FROM}/*")
list(SORT _quendrix_files)
foreach(_quendrix_file IN LISTS _quendrix_files)
  set(_quendrix_path "${QUENDRIX_DATA_FROM}/${_quendrix_file}")
  get_filename_component(_quendrix_dir "${_quendrix_file}" DIRECTORY)
  get_filename_component(_quendrix_name "${_quendrix_file}" NAME)
  if(_quendrix_file MATCHES "^icons/")
    if(_quendrix_file MATCHES "^icons/([0-9]+)/quendrix\\.png$")
      file(INSTALL DESTINATION
           "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/${CMAKE_MATCH_1}x${CMAKE_MATCH_1}/apps"
           TYPE FILE RENAME "${QUENDRIX_APP_ID}.png" FILES "${_quendrix_path}")
    elseif(_quendrix_file STREQUAL "icons/scalable/quendrix.svg")
      file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps"
           TYPE FILE RENAME "${QUENDRIX_APP_ID}.svg" FILES "${_quendrix_path}")
    endif()
    continue()
  endif()
  # The catalogues go where gettext looks: share/locale/<lang>/LC_MESSAGES.
  if(_quendrix_file MATCHES "^locale/(.+)$")
    get_filename_component(_quendrix_sub "${CMAKE_MATCH_1}" DIRECTORY)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/locale/${_quendrix_sub}" TYPE FILE
         FILES "${_quendrix_path}")
    continue()
  endif()
  if(_quendrix_name MATCHES "\\.stamp$|^\\." OR _quendrix_file MATCHES "(^|/)previews?/")
    continue()
  endif()
  file(READ "${_quendrix_path}" _quendrix_magic LIMIT 4 HEX)
  if(_quendrix_magic STREQUAL "7f454c46")  # "\x7fELF": a program of the build
    continue()
  endif()
  set(_quendrix_to "${CMAKE_INSTALL_PREFIX}/share/games/quendrix")
  if(_quendrix_dir)
    string(APPEND _quendrix_to "/${_quendrix_dir}")
  endif()
  file(INSTALL DESTINATION "${_quendrix_to}" TYPE FILE FILES "${_quendrix_path}")
endforeach()
