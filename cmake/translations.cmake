# The English texts. The source texts are the program's own (Japanese) in the code; each source
# folder has its English .ts in i18n/en/, owned with the folder's code. The build merges them
# into one .qm, embedded in the program as :/i18n/vantrel_en.qm. The .qm is never committed.
#   cmake --build build --target vantrel_update_translations
# brings every .ts up to date with the code (new texts arrive "unfinished"; the test
# vantrel_translation_test fails until each is translated).
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(VANTREL_TS_FOLDERS app common dialogs journal lists modes reports sensors voice web widgets)
# How the logic marks its texts (see common/ui_text.h), for lupdate.
# -I: lupdate reads the headers, so a tr() context carries its namespace as Qt looks it up.
set(VANTREL_LUPDATE_OPTIONS -I ${CMAKE_SOURCE_DIR} -locations none -no-obsolete -source-language ja -target-language en
    -tr-function-alias QT_TRANSLATE_NOOP+=VANTREL_TEXT)

set(VANTREL_TS_FILES)
foreach(folder IN LISTS VANTREL_TS_FOLDERS)
    list(APPEND VANTREL_TS_FILES ${CMAKE_SOURCE_DIR}/i18n/en/${folder}.ts)
endforeach()

set(VANTREL_QM_DIR ${CMAKE_BINARY_DIR}/i18n)
file(MAKE_DIRECTORY ${VANTREL_QM_DIR})
add_custom_command(
    OUTPUT ${VANTREL_QM_DIR}/vantrel_en.qm
    COMMAND Qt6::lrelease -silent -removeidentical ${VANTREL_TS_FILES}
            -qm ${VANTREL_QM_DIR}/vantrel_en.qm
    DEPENDS ${VANTREL_TS_FILES}
    COMMENT "Building the English translation")
add_custom_target(vantrel_translations DEPENDS ${VANTREL_QM_DIR}/vantrel_en.qm)
file(WRITE ${VANTREL_QM_DIR}/i18n.qrc.in
    "<RCC><qresource prefix=\"/i18n\"><file>vantrel_en.qm</file></qresource></RCC>\n")
configure_file(${VANTREL_QM_DIR}/i18n.qrc.in ${VANTREL_QM_DIR}/i18n.qrc COPYONLY)
set_source_files_properties(${VANTREL_QM_DIR}/i18n.qrc PROPERTIES
    OBJECT_DEPENDS ${VANTREL_QM_DIR}/vantrel_en.qm)
set(VANTREL_I18N_QRC ${VANTREL_QM_DIR}/i18n.qrc)

set(update_commands)
foreach(folder IN LISTS VANTREL_TS_FOLDERS)
    list(APPEND update_commands COMMAND Qt6::lupdate ${VANTREL_LUPDATE_OPTIONS}
         ${CMAKE_SOURCE_DIR}/${folder} -ts ${CMAKE_SOURCE_DIR}/i18n/en/${folder}.ts)
endforeach()
add_custom_target(vantrel_update_translations ${update_commands}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} VERBATIM)
