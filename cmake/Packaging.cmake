# `cpack -G DEB` in the build folder packs what `cmake --install` installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rail-replay)
set(CPACK_PACKAGE_VENDOR "Rail replay suite")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Replays rail ultrasonic flaw-detector recordings")
set(CPACK_PACKAGE_DESCRIPTION "Ostrelplay replays Ostrel .std recordings and .stdm recording videos: \
it draws the B-scan as the instrument showed it, plays, searches and measures, sets review marks, \
cuts recordings and writes statistics, workbooks, reports and pictures. \
ostrelplay-cli gives scripts the same core in batch mode; brantview-cli reads, marks and cuts \
Brantel stream and A-scan records.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Rail replay suite maintainers <maintainers@rail-replay.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The programs are built with debug information; the package ships them without.
set(CPACK_STRIP_FILES ON)

# dpkg-shlibdeps (dpkg-dev) reads the libraries the programs link; without it the
# Debian runtime packages are named here.
find_program(DPKG_SHLIBDEPS_PROGRAM dpkg-shlibdeps)
if(DPKG_SHLIBDEPS_PROGRAM)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6core6, libqt6gui6, libqt6widgets6, libqt6network6, libqt6charts6, libjpeg62-turbo, libxlsxwriter4, libzip4, libpugixml1v5")
endif()
# Chinese texts, and the tools the program's own .std association calls.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, shared-mime-info, xdg-utils")

include(CPack)
