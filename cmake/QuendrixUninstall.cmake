# [DESTDIR=...] cmake -DMANIFEST=<tree>/install_manifest.txt -P QuendrixUninstall.cmake
# Removes every file the last install from that tree wrote (the manifest
# lists them without DESTDIR, so give the same DESTDIR as to the install),
# then the game's own folders if that leaves them empty. Other folders (share/applications, ...) are shared and
# stay.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "no install manifest at ${MANIFEST}: nothing was installed from this tree")
endif()
file(STRINGS "${MANIFEST}" _listed)
set(_dirs)
foreach(_file IN LISTS _listed)
  set(_file "$ENV{DESTDIR}${_file}")
  if(IS_SYMLINK "${_file}" OR EXISTS "${_file}")
    message(STATUS "Removing ${_file}")
    file(REMOVE "${_file}")
  endif()
  get_filename_component(_dir "${_file}" DIRECTORY)
  list(APPEND _dirs "${_dir}")
endforeach()
# Deepest first, each folder up to the game's own top folder, so that a data
# sub-folder goes before its parent.
list(REMOVE_DUPLICATES _dirs)
list(SORT _dirs)
list(REVERSE _dirs)
foreach(_dir IN LISTS _dirs)
  while(_dir MATCHES "/share/(games|doc)/quendrix(/|$)")
    file(GLOB _left "${_dir}/*")
    if(_left)
      break()
    endif()
    file(REMOVE_RECURSE "${_dir}")
    get_filename_component(_dir "${_dir}" DIRECTORY)
  endwhile()
endforeach()
