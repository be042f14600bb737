# Run by `cmake --install` of a game folder: its desktop entry, pointing at the installed
# program and icon, written into the folder itself (never into anyone's home).
set(prefix "${CMAKE_INSTALL_PREFIX}")
get_filename_component(prefix "${prefix}" ABSOLUTE)
# Inside double quotes an Exec argument escapes ", `, $ and \ with a backslash.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${prefix}/mirutena")
string(REPLACE "\\" "\\\\" quoted "${quoted}") # and the entry's own string escape doubles it
string(REPLACE "%" "%%" quoted "${quoted}")
set(EXEC "\"${quoted}\"")
set(ICON "${prefix}/${ICON_FILE}")
configure_file("${TEMPLATE}" "$ENV{DESTDIR}${prefix}/${ENTRY}" @ONLY)
message(STATUS "Desktop entry: ${prefix}/${ENTRY}")
