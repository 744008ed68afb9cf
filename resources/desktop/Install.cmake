# Installing the game as a desktop program (make install, and the .deb that CPack builds): the game
# where Debian puts games, a launcher that keeps the save in the user's data folder, the desktop
# entry, the icon at the usual sizes rendered from its SVG, the AppStream metainfo, the manual page
# in English and Japanese, and the copyright file and changelog a Debian package carries.
include(GNUInstallDirs)
# make install and the package need only the game, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(TAVO2_APP_ID "jp.pomuru.pomuru")
set(TAVO2_VERSION "2.11")
set(TAVO2_GAMES_DIR games)
# The package's maintainer, set when packaging (make package MAINTAINER="Name <address>").
set(TAVO2_MAINTAINER "ポムル developers <pomuru@localhost>" CACHE STRING "The .deb's maintainer")
set(desktop_dir ${CMAKE_CURRENT_LIST_DIR})
set(desktop_out ${CMAKE_BINARY_DIR}/desktop)
file(MAKE_DIRECTORY ${desktop_out})
target_compile_definitions(tavo2 PRIVATE TAVO2_VERSION="${TAVO2_VERSION}")

# The launcher finds the game beside it, so the tree works wherever it is unpacked.
set(launcher_dir ${CMAKE_INSTALL_LIBEXECDIR}/pomuru)
file(RELATIVE_PATH TAVO2_LAUNCHER_TO_BINARY /${launcher_dir} /${TAVO2_GAMES_DIR})
configure_file(${desktop_dir}/pomuru-launch.in ${desktop_out}/pomuru-launch @ONLY)
configure_file(${desktop_dir}/pomuru.metainfo.xml.in ${desktop_out}/${TAVO2_APP_ID}.metainfo.xml @ONLY)

set(TAVO2_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_pngs)
foreach(size ${TAVO2_ICON_SIZES})
  set(png ${desktop_out}/icon-${size}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${TAVO2_RSVG} -w ${size} -h ${size} ${desktop_dir}/pomuru.svg -o ${png}
    DEPENDS ${desktop_dir}/pomuru.svg
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TAVO2_APP_ID}.png)
endforeach()
# Part of the game's build, so that make install finds them ready.
add_custom_target(tavo2-icons ALL DEPENDS ${icon_pngs})

# Debian's tools want the manual pages and the changelog compressed to the maximum, without a time stamp.
configure_file(${desktop_dir}/changelog.in ${desktop_out}/changelog @ONLY)
set(compressed)
foreach(pair "tavo2.6;man6-en" "tavo2.ja.6;man6-ja" "${desktop_out}/changelog;changelog")
  list(GET pair 0 source)
  list(GET pair 1 name)
  if(NOT IS_ABSOLUTE ${source})
    set(source ${desktop_dir}/${source})
  endif()
  add_custom_command(
    OUTPUT ${desktop_out}/${name}.gz
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${source} ${desktop_out}/${name}.gz
    DEPENDS ${source}
    VERBATIM)
  list(APPEND compressed ${desktop_out}/${name}.gz)
endforeach()
add_custom_target(tavo2-docs ALL DEPENDS ${compressed})

install(TARGETS tavo2 RUNTIME DESTINATION ${TAVO2_GAMES_DIR})
install(FILES ${desktop_out}/man6-en.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 RENAME tavo2.6.gz)
install(FILES ${desktop_out}/man6-ja.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man6 RENAME tavo2.6.gz)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/pomuru)
install(FILES ${desktop_dir}/copyright DESTINATION ${doc_dir})
install(FILES ${desktop_out}/changelog.gz DESTINATION ${doc_dir})
install(PROGRAMS ${desktop_out}/pomuru-launch DESTINATION ${launcher_dir})
# The desktop entry names the launcher by its full path, known only once the prefix is: written
# as it is installed (CPack installs with DESTDIR, so the prefix is the package's).
install(CODE "
  set(TAVO2_APP_ID ${TAVO2_APP_ID})
  set(TAVO2_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${launcher_dir}/pomuru-launch\")
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${TAVO2_APP_ID}.desktop\")
  message(STATUS \"Installing: \${entry}\")
  configure_file(\"${desktop_dir}/pomuru.desktop.in\" \"\${entry}\" @ONLY)
")
install(FILES ${desktop_out}/${TAVO2_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/pomuru.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TAVO2_APP_ID}.svg)

# A Debian package of the same tree: make package (cpack -G DEB).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pomuru)
set(CPACK_PACKAGE_VERSION ${TAVO2_VERSION})
set(CPACK_PACKAGE_CONTACT "${TAVO2_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ヘラブナ fishing game in a classic Japanese desktop style")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ポムル is a single-player fishing game for Japanese-speaking players, played
with the mouse, the keyboard or a gamepad. On a painted map the player visits
six waters, casts, watches the float and strikes at the right moment; buys
tackle at the tackle shop, sells the day's catch at the fish shop, trades
master fish with the five masters for their legendary tackle and wins the
tournaments from the district to the national one. The texts are in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game draws its texts with a Japanese font found through fontconfig.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# Only the game: the tests and tools stay out of the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/")
include(CPack)
