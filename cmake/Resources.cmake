# Compiles the program's icon into the executable, so that its windows carry it even when
# the icon theme has no copy (run from the build tree, or an icon theme without ours).
# The target's own resource compiler runs it, which works from any folder of the build.
set_target_properties(calbrine PROPERTIES AUTORCC ON)
target_sources(calbrine PRIVATE ${PROJECT_SOURCE_DIR}/data/calbrine.qrc)
