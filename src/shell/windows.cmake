# The main window, its settings helpers and the program entry.
target_sources(nc_shell_core PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/mainsettings.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/mainsettings.h
)
target_sources(nc_ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/closewindows.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/closewindows.h
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain.h
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain_help.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain_inputs.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain_layout.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain_settings.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmmain_texts.cpp
)
