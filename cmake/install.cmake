# What `cmake --install` lays out, always inside its prefix. The programs themselves are
# installed by their own folders into MIRUTENA_INSTALL_GAME_DIR.
set(app_id ${MIRUTENA_APP_ID})
set(game_dir ${MIRUTENA_INSTALL_GAME_DIR})

if(NOT MIRUTENA_SYSTEM_INSTALL)
  # One game folder that the player can write: the album lives in it.
  # A reinstall must never replace the player's album with the empty one we ship.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/game/ DESTINATION . PATTERN save.dat EXCLUDE)
  install(CODE "
    set(album \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/dat/save.dat\")
    if(NOT EXISTS \"\${album}\")
      file(COPY_FILE \"${PROJECT_SOURCE_DIR}/game/dat/save.dat\" \"\${album}\")
    endif()")
  install(FILES data/mirutena.svg DESTINATION .)
  # Whoever is given the folder is given its licences with it.
  install(FILES COPYING LICENSE DESTINATION .)
  # A desktop entry for this folder, left in it: ./setup.sh install puts it in the menu.
  install(CODE "
    set(ICON_FILE mirutena.svg)
    set(TEMPLATE \"${PROJECT_SOURCE_DIR}/data/mirutena.desktop.in\")
    set(ENTRY ${app_id}.desktop)
    include(\"${PROJECT_SOURCE_DIR}/cmake/desktop-entry.cmake\")")
  return()
endif()

# Debian's games layout. The game folder sits read-only under /usr/lib/games (the program
# finds its data beside its real path), its programs are linked into /usr/games.
set(share ${CMAKE_INSTALL_DATAROOTDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/game/ DESTINATION ${game_dir})
install(DIRECTORY DESTINATION games)
foreach(program mirutena mirutena-check mirutena-testplay)
  install(CODE "
    file(CREATE_LINK ../${game_dir}/${program}
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/${program}\" SYMBOLIC)")
endforeach()

set(EXEC mirutena)
set(ICON ${app_id})
configure_file(data/mirutena.desktop.in ${app_id}.desktop @ONLY)
configure_file(data/mirutena.metainfo.xml.in ${app_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${app_id}.desktop DESTINATION ${share}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${app_id}.metainfo.xml DESTINATION ${share}/metainfo)
install(FILES data/mirutena.svg DESTINATION ${share}/icons/hicolor/scalable/apps
        RENAME ${app_id}.svg)

# Manual pages and the changelog go compressed, as Debian wants them.
set(compressed)
foreach(file data/mirutena.6 data/mirutena-check.6 data/mirutena-testplay.6 data/changelog)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${file} > ${CMAKE_BINARY_DIR}/${name}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/${file} VERBATIM)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/mirutena.6.gz ${CMAKE_BINARY_DIR}/mirutena-check.6.gz
              ${CMAKE_BINARY_DIR}/mirutena-testplay.6.gz DESTINATION ${share}/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz data/copyright DESTINATION ${share}/doc/mirutena)

include(cmake/package.cmake)
