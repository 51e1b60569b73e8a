# The translations: po/<lang>.po compiled by msgfmt into the catalogue the
# game reads beside itself, bin/locale/<lang>/LC_MESSAGES/quendrix.mo (an
# installed game reads share/locale). msgfmt --check fails the build on a
# broken entry; the catalogue test fails on a missing or fuzzy one. The
# asset generator reads the same .po files for the pictures' words.
find_program(QUENDRIX_MSGFMT msgfmt REQUIRED)
set(QUENDRIX_LANGUAGES en de)
set(QUENDRIX_CATALOGUES)
set(QUENDRIX_CATALOGUE_FILES)
foreach(lang ${QUENDRIX_LANGUAGES})
  set(po ${PROJECT_SOURCE_DIR}/po/${lang}.po)
  set(mo ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/${lang}/LC_MESSAGES/quendrix.mo)
  add_custom_command(
    OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/${lang}/LC_MESSAGES
    COMMAND ${QUENDRIX_MSGFMT} --check --statistics -o ${mo} ${po}
    DEPENDS ${po}
    COMMENT "Compiling the ${lang} catalogue"
    VERBATIM)
  list(APPEND QUENDRIX_CATALOGUES ${po})
  list(APPEND QUENDRIX_CATALOGUE_FILES ${mo})
endforeach()
add_custom_target(catalogues ALL DEPENDS ${QUENDRIX_CATALOGUE_FILES})
