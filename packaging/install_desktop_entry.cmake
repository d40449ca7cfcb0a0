# Writes the menu entry for the installed program into the user's applications folder:
# ZT_APPLICATIONS_DIR when set, otherwise $XDG_DATA_HOME/applications or ~/.local/share/applications.
set(ZT_INSTALL_DIR "${CMAKE_INSTALL_PREFIX}")
if(DEFINED ENV{ZT_APPLICATIONS_DIR})
  set(applications "$ENV{ZT_APPLICATIONS_DIR}")
elseif(DEFINED ENV{XDG_DATA_HOME})
  set(applications "$ENV{XDG_DATA_HOME}/applications")
else()
  set(applications "$ENV{HOME}/.local/share/applications")
endif()
file(MAKE_DIRECTORY "${applications}")
configure_file("${ZT_DESKTOP_TEMPLATE}" "${applications}/zawody-teltolmowe.desktop" @ONLY)
message(STATUS "Menu entry: ${applications}/zawody-teltolmowe.desktop")
