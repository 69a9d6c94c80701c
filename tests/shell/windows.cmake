# Tests of the main window and its settings helpers.
nc_add_test(tst_mainsettings SOURCES tst_mainsettings.cpp LIBS nc_shell_core TIMEOUT 30)
nc_add_test(tst_frmmain SOURCES tst_frmmain.cpp LIBS nc_ui TIMEOUT 120)
