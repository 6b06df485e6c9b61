# Quorvale's own translations, built into quorvale_core as :/i18n/quorvale_<language>.qm. English is the source
# language; its file holds only the plural forms. After texts change, refresh every .ts file with
#   cmake --build build --target update_translations
# lupdate scans the sources of every layer that shows text.
set(quorvale_languages de)
set(quorvale_translation_dir ${PROJECT_SOURCE_DIR}/translations)
set(quorvale_translated_sources ${PROJECT_SOURCE_DIR}/src/main.cpp)
foreach(target quorvale_core quorvale_cli quorvale_gui)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "^${PROJECT_SOURCE_DIR}/src/.*\\.(cpp|h)$")
    list(APPEND quorvale_translated_sources ${sources})
endforeach()
set(quorvale_lupdate_options -locations relative -no-obsolete)

# The names only label the lupdate targets (quorvale_de_lupdate, ...); update_translations runs them all.
set(quorvale_ts_files ${quorvale_translation_dir}/quorvale_en.ts)
qt_add_lupdate(quorvale_en
    TS_FILES ${quorvale_translation_dir}/quorvale_en.ts
    SOURCES ${quorvale_translated_sources}
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
    OPTIONS ${quorvale_lupdate_options} -pluralonly)
foreach(language ${quorvale_languages})
    set(ts_file ${quorvale_translation_dir}/quorvale_${language}.ts)
    list(APPEND quorvale_ts_files ${ts_file})
    qt_add_lupdate(quorvale_${language}
        TS_FILES ${ts_file}
        SOURCES ${quorvale_translated_sources}
        INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
        OPTIONS ${quorvale_lupdate_options})
endforeach()
qt_add_lrelease(quorvale_core TS_FILES ${quorvale_ts_files} QM_FILES_OUTPUT_VARIABLE quorvale_qm_files)
qt_add_resources(quorvale_core "quorvale_translations"
    PREFIX "/i18n"
    BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${quorvale_qm_files})

# What the test suite's translation check needs to run lupdate as update_translations does (check-translations.cmake).
list(JOIN quorvale_translated_sources "\n" quorvale_source_lines)
file(WRITE ${CMAKE_BINARY_DIR}/translations/sources.lst "-I${PROJECT_SOURCE_DIR}/src\n${quorvale_source_lines}\n")
file(WRITE ${CMAKE_BINARY_DIR}/translations/lupdate-setup.cmake
    "set(lupdate_sources_list \"${CMAKE_BINARY_DIR}/translations/sources.lst\")\n"
    "set(lupdate_options \"${quorvale_lupdate_options}\")\n"
    "set(translation_dir \"${quorvale_translation_dir}\")\n"
    "set(languages \"${quorvale_languages}\")\n")
