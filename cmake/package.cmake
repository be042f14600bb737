# The Debian package, made by CPack from the system layout (./setup.sh package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirutena)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The mirutena developers <mirutena@mirutena.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MIRUTENA_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "small Japanese life-simulation game about collecting photographs")
set(CPACK_PACKAGE_DESCRIPTION "\
Mirutena is a small single-player life-simulation game in Japanese. Each day
the player goes to the park, to school, to work or stays at home, watching
camera skill, fatigue and money; the park yields photographs for the album,
and story events with two-way choices lead to one of two endings, to a MIDI
tune played through FluidSynth.
.
The album is kept in each player's own data folder. The package also ships
two tools for story writers: mirutena-check, which lists the faults of a game
folder, and mirutena-testplay, which plays one event of it at once.")
# Qt and the C++ run-time are found in the programs; FluidSynth is opened at run time, and the
# soundfont and a Japanese font (those the game asks for, in its order) are only data.
string(REGEX REPLACE "^libfluidsynth\\.so\\.([0-9]+)$" "libfluidsynth\\1" fluidsynth_package
       "${MIRUTENA_FLUIDSYNTH_SONAME}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${fluidsynth_package}, \
timgm6mb-soundfont | fluid-soundfont-gm, \
fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic | fonts-takao-gothic | fonts-droid-fallback")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
