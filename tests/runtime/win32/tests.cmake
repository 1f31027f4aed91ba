# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the Windows program itself, run under Wine.
set(win32_tests ${CMAKE_CURRENT_SOURCE_DIR}/runtime/win32)

# The executable as shipped: a GUI program that needs no DLL of the compiler.
add_test(NAME exe_check COMMAND ${win32_tests}/exe_check.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:cylinder>)
set_tests_properties(exe_check PROPERTIES LABELS "packaging-windows")
# The same check must turn down a console program linked the same way.
add_test(NAME exe_check_rejects_console
         COMMAND ${win32_tests}/exe_check.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:tst_checked>)
set_tests_properties(exe_check_rejects_console PROPERTIES LABELS "packaging-windows" WILL_FAIL ON)

# A test that opens windows runs in a copy of the prefix with a wineserver
# of its own (one clipboard and desktop each), beside the others.
set(own_prefix ${win32_tests}/own-prefix.sh)

# The portable zip and the installer: silent install, start, silent uninstall.
add_test(NAME windows_package
         COMMAND ${own_prefix} windows_package ${win32_tests}/package_test.sh ${PROJECT_SOURCE_DIR}/packaging/windows/package.sh
                 $<TARGET_FILE:cylinder> ${CMAKE_CURRENT_BINARY_DIR}/windows_package)
set_tests_properties(windows_package PROPERTIES LABELS "packaging-windows" TIMEOUT 300)

# The window's own Win32 part (sizes, DPI, fonts, colours, keys) and what
# reaches its form and a screen reader, on an X display.
foreach(name IN ITEMS tst_win32window tst_win32access)
    add_executable(${name} ${win32_tests}/${name}.cpp)
    target_link_libraries(${name} PRIVATE runtime_win32 doctest_main oleacc oleaut32 ole32)
    add_test(NAME ${name}
             COMMAND ${own_prefix} ${name} ${win32_tests}/with-display.sh ${win32_tests}/wine-run.sh
                     $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "window")
endforeach()
target_compile_definitions(tst_win32window PRIVATE DESIGN_JSON="${design_json}")
add_dependencies(tst_win32window design_json)

# The window itself in an X server: every variant, each kind of error, clearing;
# once more with the Bulgarian decimal comma.
add_test(NAME win32_gui COMMAND ${own_prefix} win32_gui ${win32_tests}/gui_test.sh $<TARGET_FILE:cylinder> C.UTF-8)
add_test(NAME win32_gui_bg
         COMMAND ${own_prefix} win32_gui_bg ${win32_tests}/gui_test.sh $<TARGET_FILE:cylinder> bg_BG.UTF-8)
set_tests_properties(win32_gui win32_gui_bg PROPERTIES LABELS "gui-windows" TIMEOUT 600 COST 100)

# Keep this last: it puts every test above under Wine's fixture. One prefix in
# the build folder serves them all; "wine" makes it once (kept while complete)
# and keeps a wineserver up for the run.
get_property(wine_tests DIRECTORY PROPERTY TESTS)
add_test(NAME wine_prefix COMMAND ${win32_tests}/wine-prefix.sh setup)
add_test(NAME wine_prefix_stop COMMAND ${win32_tests}/wine-prefix.sh cleanup)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
foreach(test IN ITEMS wine_prefix wine_prefix_stop ${wine_tests})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT WINEPREFIX=${PROJECT_BINARY_DIR}/wine-prefix)
endforeach()
foreach(test IN LISTS wine_tests)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wine)
    get_test_property(${test} TIMEOUT timeout)
    if(NOT timeout)
        set_tests_properties(${test} PROPERTIES TIMEOUT 120)
    endif()
endforeach()
