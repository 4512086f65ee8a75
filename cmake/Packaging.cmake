# The Debian package, built with `cpack -G DEB` in the build directory.
set(CPACK_PACKAGE_NAME calbrine)
set(CPACK_PACKAGE_VENDOR "The Calbrine developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of at most 80 columns, as Debian's control file wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Calbrine designs the variable-frequency oscillator (VFO) of a radio\n\
transceiver. From the oscillator's capacitors, its inductor and the receiver's\n\
IF, given in engineering notation, it shows the VFO range, the RF sum and\n\
difference ranges and the coarse and fine tuning spans beside a drawing of the\n\
oscillator. It saves and reads design files, exports an LTspice schematic,\n\
prints the design, and answers on the command line with text or CSV.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${calbrine_debian_revision})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Calbrine developers <calbrine@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://calbrine.example.org)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The Qt libraries come from dpkg-shlibdeps; what the program loads at run time without
# linking it is named here: Qt's SVG icon and image plugins (in libqt6svg6 on Debian 12,
# split into qt6-svg-plugins later) and the fonts of the drawings.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-svg-plugins | libqt6svg6, fonts-liberation")
# The simulation opens ngspice's library when asked to simulate; without it everything else
# works and "Simulate" says the library is missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libngspice0")

include(CPack)
