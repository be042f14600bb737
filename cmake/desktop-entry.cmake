# Run by `cmake --install`: a desktop entry and the icon for the user who installs,
# pointing at the installed program. The album lives beside the program, so the
# prefix must be a folder the player can write.
set(prefix "${CMAKE_INSTALL_PREFIX}")
get_filename_component(prefix "${prefix}" ABSOLUTE)
set(entry "[Desktop Entry]
Type=Application
Version=1.0
Name=Mirutena
Name[ja]=ミルテナ
Comment=A small game about collecting photographs
Comment[ja]=写真を集める、小さな育成ゲーム
Exec=\"${prefix}/mirutena\"
Path=${prefix}
Icon=${prefix}/mirutena.png
Terminal=false
Categories=Game;Simulation;
")
file(WRITE "$ENV{DESTDIR}${prefix}/mirutena.desktop" "${entry}")
if(DEFINED ENV{DESTDIR} AND NOT "$ENV{DESTDIR}" STREQUAL "")
  return() # a staged install: the packager places the entry
endif()
if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
  set(data_home "$ENV{XDG_DATA_HOME}")
elseif(DEFINED ENV{HOME})
  set(data_home "$ENV{HOME}/.local/share")
else()
  return()
endif()
file(MAKE_DIRECTORY "${data_home}/applications" "${data_home}/icons/hicolor/32x32/apps")
file(WRITE "${data_home}/applications/mirutena.desktop" "${entry}")
file(COPY_FILE "${prefix}/mirutena.png" "${data_home}/icons/hicolor/32x32/apps/mirutena.png")
message(STATUS "Desktop entry: ${data_home}/applications/mirutena.desktop")
