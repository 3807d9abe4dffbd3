# The program's translations: translations/<area>_<language>.ts, one pair per source folder,
# made by lupdate from src/<area>. lrelease compiles them at build time into the resource
# folder :/translations of the library kmr_translations, which the windows link; the
# language core (src/base/Language.h) loads them from there.
#
#   update_translations   runs lupdate over every area, in place (after changing texts)
#   check_translations    fails when a .ts lacks a source text or holds an untranslated one
#                         (also the ctest test App.TranslationsAreComplete)
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(KMR_TRANSLATIONS_DIR ${PROJECT_SOURCE_DIR}/translations)
file(GLOB KMR_TS_FILES CONFIGURE_DEPENDS ${KMR_TRANSLATIONS_DIR}/*.ts)

add_library(kmr_translations STATIC ${PROJECT_SOURCE_DIR}/cmake/Translations.cmake)
set_target_properties(kmr_translations PROPERTIES LINKER_LANGUAGE CXX)
target_link_libraries(kmr_translations PUBLIC Qt6::Core)
if(KMR_TS_FILES)
  set_source_files_properties(${KMR_TS_FILES} PROPERTIES OUTPUT_LOCATION
                              ${PROJECT_BINARY_DIR}/translations)
  qt_add_lrelease(kmr_translations TS_FILES ${KMR_TS_FILES} QM_FILES_OUTPUT_VARIABLE kmr_qm_files
                  OPTIONS -silent)
  qt_add_resources(kmr_translations kmr_translations PREFIX /translations
                   BASE ${PROJECT_BINARY_DIR}/translations FILES ${kmr_qm_files})
endif()

# The area of a .ts file is its name up to the language: measure_zh_CN.ts → measure.
set(KMR_TRANSLATION_AREAS)
foreach(ts ${KMR_TS_FILES})
  get_filename_component(name ${ts} NAME_WE)
  string(REGEX REPLACE "_(en|zh_CN)$" "" area ${name})
  list(APPEND KMR_TRANSLATION_AREAS ${area})
endforeach()
list(REMOVE_DUPLICATES KMR_TRANSLATION_AREAS)

set(KMR_LUPDATE $<TARGET_FILE:Qt6::lupdate>)
set(update_commands)
foreach(area ${KMR_TRANSLATION_AREAS})
  list(APPEND update_commands COMMAND ${KMR_LUPDATE} -silent -locations relative -no-obsolete -I ${PROJECT_SOURCE_DIR}/src
       ${PROJECT_SOURCE_DIR}/src/${area} -ts ${KMR_TRANSLATIONS_DIR}/${area}_en.ts
       ${KMR_TRANSLATIONS_DIR}/${area}_zh_CN.ts)
endforeach()
add_custom_target(update_translations ${update_commands}
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

set(KMR_TRANSLATION_CHECK
    ${CMAKE_COMMAND} -DLUPDATE=${KMR_LUPDATE} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src
    -DTS_DIR=${KMR_TRANSLATIONS_DIR} -DWORK_DIR=${PROJECT_BINARY_DIR}/translation-check
    -P ${PROJECT_SOURCE_DIR}/cmake/TranslationCheck.cmake)
add_custom_target(check_translations ${KMR_TRANSLATION_CHECK} VERBATIM)
