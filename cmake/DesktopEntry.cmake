# Writes the menu entry of an installation: its Exec key names the installed program by its
# full path, so that the entry starts it also where PREFIX/bin is not on the PATH. Runs at
# install time, when CMAKE_INSTALL_PREFIX is the prefix `cmake --install --prefix` gives.
# In: TARVO_DESKTOP_IN (the entry with @TARVO_EXEC@), TARVO_DESKTOP_OUT (the file to write).
set(exec "${CMAKE_INSTALL_PREFIX}/bin/tarvo")
string(REPLACE "%" "%%" exec "${exec}")
# A path with a character the Exec key reserves is quoted; inside the quotes \, ", ` and $ are
# escaped, and every backslash once more as the key's string value requires.
if(exec MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
  string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\\\"" exec "${exec}")
  string(REPLACE "`" "\\\\`" exec "${exec}")
  string(REPLACE "$" "\\\\$" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
set(TARVO_EXEC "${exec}")
configure_file("${TARVO_DESKTOP_IN}" "${TARVO_DESKTOP_OUT}" @ONLY)
