# `cpack` (scripts/package) makes a Debian package of what `cmake --install` installs.
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
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries Quom links come from dpkg-shlibdeps; these are loaded at run time as
# plug-ins, which no linker sees: picture formats for import and filters, GStreamer's
# elements behind Qt Multimedia's camera and video files, and the sample file and
# resampling libraries the core opens when a sample first needs them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-image-formats-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, libsndfile1, libsoxr0")
# Native windows on a Wayland desktop; the common video codecs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, gstreamer1.0-libav")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
