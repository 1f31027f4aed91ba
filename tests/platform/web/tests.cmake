# SPDX-License-Identifier: GPL-3.0-or-later
# The page itself in headless Chromium over WebDriver: every variant, the
# locks, Enter, each kind of error, clearing; once more with decimal commas.
# Debian's own node and chromedriver, whatever else is on PATH.
find_program(WEB_TEST_NODE node PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(WEB_TEST_CHROMEDRIVER chromedriver PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
             REQUIRED)
set(page_test ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page_test.mjs)
foreach(lang IN ITEMS en bg)
    set(tag en-US)
    if(lang STREQUAL "bg")
        set(tag bg-BG)
    endif()
    add_test(NAME web_page_${lang}
             COMMAND ${WEB_TEST_NODE} ${page_test} --lang ${tag} --server ${WEB_TEST_CHROMEDRIVER}
                     $<TARGET_FILE:cylinder>)
endforeach()
set_tests_properties(web_page_en web_page_bg PROPERTIES LABELS "gui-web" TIMEOUT 300)
