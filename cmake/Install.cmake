# Installs Calbrine as a desktop application and packages it; included by the top-level
# CMakeLists.txt once the `calbrine` target exists.
include(GNUInstallDirs)

set(calbrine_app_id org.calbrine.Calbrine)
install(TARGETS calbrine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/${calbrine_app_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The example design "Get defaults" reads when the working folder has none of its own.
install(FILES ${PROJECT_SOURCE_DIR}/data/Defaults.TXT
        DESTINATION ${CMAKE_INSTALL_DATADIR}/calbrine)
# The value series, core and wire tables the parts and coil commands read.
foreach(table IN LISTS calbrine_shipped_tables)
    get_filename_component(table_folder ${table} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/data/${table}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/calbrine/${table_folder})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/${calbrine_app_id}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The AppStream release takes the version from project().
configure_file(${PROJECT_SOURCE_DIR}/data/${calbrine_app_id}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/data/${calbrine_app_id}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/data/${calbrine_app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

include(${CMAKE_CURRENT_LIST_DIR}/Documentation.cmake)

# A project that builds Calbrine inside its own tree keeps its own package settings.
if(PROJECT_IS_TOP_LEVEL)
    include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)
endif()

# Validates the data files, installs into a scratch root and builds the package. It runs
# alone, after the build, because cpack installs from this build directory. A sanitizer
# build is never shipped, so it skips this test.
if(CALBRINE_BUILD_TESTS AND NOT CALBRINE_SANITIZE)
    add_test(NAME package_install
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package.sh ${PROJECT_BINARY_DIR})
    set_tests_properties(package_install PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
endif()
