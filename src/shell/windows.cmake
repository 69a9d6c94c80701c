# The main window, its settings helpers and the program entry.
target_sources(nc_shell_core PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/mainsettings.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/mainsettings.h
)
