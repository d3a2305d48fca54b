# `cpack` (scripts/package) makes a Debian package of what `cmake --install` installs.
include(GNUInstallDirs)

# The documentation Debian asks of every package: the licence in its machine-readable
# form and the changelog, whose newest entry is the version packed.
set(changelog_source ${CMAKE_CURRENT_LIST_DIR}/package/changelog)
file(STRINGS ${changelog_source} changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^quom \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "${changelog_source} must begin with an entry for version ${PROJECT_VERSION}")
endif()
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT changelog.gz
  COMMAND ${GZIP} -9n -c ${changelog_source} > changelog.gz
  DEPENDS ${changelog_source}
  VERBATIM)
add_custom_target(quom_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/package/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quom)

# Everything `cmake --install` installs, without the tests and benchmarks: what
# scripts/run builds, so that its build can also be installed.
add_custom_target(quom_program)
add_dependencies(quom_program quom quom_desktop quom_changelog)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quom)
set(CPACK_PACKAGE_VENDOR Caldenor)
set(CPACK_PACKAGE_CONTACT "Caldenor <quom@caldenor.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "music painted on a grid of coloured cells")
set(CPACK_PACKAGE_DESCRIPTION
  "Quom is a music instrument in which music is painted: a 64 x 64 grid of
coloured cells played as a looping step sequencer. Columns are sixteenth-note
steps and rows the 64 sample slots of a kit; a cell's red is its volume, green
its pan and blue its playback speed. Patterns come from painting, random
generators, pictures or a camera; kits from wave files; what plays is recorded
or exported as wave and MIDI files.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://caldenor.com/quom)
# Stripped as Debian strips, the compilers' notes (.comment, .note) included.
set(CPACK_QUOM_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package/Strip.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries Quom links come from dpkg-shlibdeps; these are loaded at run time as
# plug-ins, which no linker sees: picture formats for import and filters, GStreamer's
# elements behind Qt Multimedia's camera and video files (libav's decoders for the
# common formats, H.264 among them, which the Video window offers), and the sample
# file and resampling libraries the core opens when a sample first needs them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-image-formats-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, libsndfile1, libsoxr0")
# Native windows on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
