# Compiles the program's icon into the executable, so that its windows carry it even when
# the icon theme has no copy (run from the build tree, or an icon theme without ours).
# Included where the executable is made, so that the generated source is built in its folder.
qt_add_resources(calbrine_resource_sources ${PROJECT_SOURCE_DIR}/data/calbrine.qrc)
target_sources(calbrine PRIVATE ${calbrine_resource_sources})
