# Run by `cmake --install`: writes the desktop entry with the installed program's absolute path in Exec, so
# that the launcher works whatever the prefix and whether or not its bin folder is on PATH.
# In: ZEFRA_DESKTOP_TEMPLATE (the entry with @ZEFRA_DESKTOP_EXEC@), ZEFRA_DESKTOP_ID, ZEFRA_PROGRAM_NAME.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program "${prefix}/bin/${ZEFRA_PROGRAM_NAME}")

# Exec takes the path as a quoted argument: inside the quotes ", `, $ and \ are escaped with a backslash,
# and the entry's string escaping then doubles every backslash; % is a field code unless doubled.
set(quoted "${program}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")

file(READ "${ZEFRA_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@ZEFRA_DESKTOP_EXEC@" "\"${quoted}\"" entry "${entry}")
set(target "$ENV{DESTDIR}${prefix}/share/applications/${ZEFRA_DESKTOP_ID}.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
