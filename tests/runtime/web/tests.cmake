# SPDX-License-Identifier: GPL-3.0-or-later
# The page itself in three browser engines, one scenario: every variant, the
# locks, Enter, Tab and the arrow keys, each kind of error, clearing, a fitted
# number; in English and with decimal commas. Then Chromium as phones and
# tablets, and the site used offline. Debian's own node and browsers, whatever else is on PATH.
find_program(WEB_TEST_NODE node PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(WEB_TEST_CHROMEDRIVER chromedriver PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
             REQUIRED)
set(page_test ${CMAKE_CURRENT_SOURCE_DIR}/runtime/web/page_test.mjs)
set(page_command ${WEB_TEST_NODE} ${page_test} --server ${WEB_TEST_CHROMEDRIVER})
# MiniBrowser has no headless mode: an Xvfb of its own.
set(with_display ${CMAKE_CURRENT_SOURCE_DIR}/runtime/win32/with-display.sh)
foreach(lang IN ITEMS en bg)
    set(tag en-US)
    if(lang STREQUAL "bg")
        set(tag bg-BG)
    endif()
    add_test(NAME web_page_${lang} COMMAND ${page_command} --lang ${tag} $<TARGET_FILE:cylinder>)
    add_test(NAME web_firefox_${lang}
             COMMAND ${WEB_TEST_NODE} ${page_test} --engine firefox --lang ${tag} $<TARGET_FILE:cylinder>)
    add_test(NAME web_webkit_${lang}
             COMMAND ${with_display} ${WEB_TEST_NODE} ${page_test} --engine webkit --lang ${tag}
                     $<TARGET_FILE:cylinder>)
    set_tests_properties(web_firefox_${lang} PROPERTIES LABELS "gui-web;firefox")
    set_tests_properties(web_webkit_${lang} PROPERTIES LABELS "gui-web;webkit")
endforeach()
add_test(NAME web_phone COMMAND ${page_command} --phone --lang bg-BG $<TARGET_FILE:cylinder>)
# A small phone upright, tablets both ways round: touch screens all, each
# with its layout's own checks; the calculations web_phone has run in full.
set(touch_tests web_phone)
foreach(size IN ITEMS phone_360x640 tablet_1024x768 tablet_768x1024)
    string(REGEX REPLACE "^[a-z]+_" "" viewport ${size})
    add_test(NAME web_${size}
             COMMAND ${page_command} --phone ${viewport} --brief --lang bg-BG $<TARGET_FILE:cylinder>)
    list(APPEND touch_tests web_${size})
endforeach()
# The site is made by the web_site target, part of the default build.
# Served with "Cache-Control: max-age=600", then a release, then offline.
add_test(NAME web_offline COMMAND ${page_command} --offline --lang en-US ${PROJECT_BINARY_DIR}/site)
set_tests_properties(web_page_en web_page_bg ${touch_tests} web_offline PROPERTIES LABELS "gui-web;chromium")
set_tests_properties(web_page_en web_page_bg web_firefox_en web_firefox_bg web_webkit_en web_webkit_bg
                     ${touch_tests} web_offline PROPERTIES TIMEOUT 300)

# The page's module packing: what packwasm.py packs, unpack.js and the
# unpacker module give back byte for byte; a page it cannot pack refused.
add_test(NAME web_unpack
         COMMAND ${WEB_TEST_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/unpack_test.mjs ${DEBIAN_PYTHON}
                 ${PROJECT_SOURCE_DIR}/packaging/web/packwasm.py ${PROJECT_SOURCE_DIR}/packaging/web/unpack.js
                 $<TARGET_FILE:unpack>)
set_tests_properties(web_unpack PROPERTIES LABELS "web")
