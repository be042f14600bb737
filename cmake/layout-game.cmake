# Lays out the bundled game beside the built program. The album there is the player's:
# a rebuild refreshes everything else but never replaces an existing save.dat.
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(file ${files})
  if(file STREQUAL "dat/save.dat" AND EXISTS "${DEST}/${file}")
    continue()
  endif()
  get_filename_component(dir "${DEST}/${file}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${SOURCE}/${file}" "${DEST}/${file}" ONLY_IF_DIFFERENT)
endforeach()
