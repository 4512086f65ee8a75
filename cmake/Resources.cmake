# Compiles the program's icon into the executable, so that its windows carry it even when
# the icon theme has no copy (run from the build tree, or an icon theme without ours).
# The resource compiler runs in the program's own target (AUTORCC), because this file is
# included from the top-level directory and a custom command there would not reach it.
set_target_properties(calbrine PROPERTIES AUTORCC ON)
target_sources(calbrine PRIVATE ${PROJECT_SOURCE_DIR}/data/calbrine.qrc)
