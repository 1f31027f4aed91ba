# SPDX-License-Identifier: GPL-3.0-or-later
# The page as shipped, for app/ (the browser build only): its module packed,
# and the site for a server made from it.

# The program's module packed with LZMA in the page (packwasm.py), and the
# small module that unpacks it there (unpack.cpp, run by unpack.js): the
# gzipped page 40 KB smaller than with emscripten's base64 module.
add_executable(unpack ${CMAKE_CURRENT_LIST_DIR}/unpack.cpp)
set_target_properties(unpack PROPERTIES SUFFIX .wasm)
target_compile_options(unpack PRIVATE -fno-exceptions)
target_link_options(unpack PRIVATE -Oz -fno-exceptions --no-entry -sSTANDALONE_WASM
    -sTOTAL_STACK=65536 -sINITIAL_MEMORY=131072 -sALLOW_MEMORY_GROWTH=1)
function(cylinder_web_pack target)
    set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${here}/unpack.js")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
        ${here}/unpack.js ${here}/packwasm.py $<TARGET_FILE:unpack>)
    add_dependencies(${target} unpack)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${DEBIAN_PYTHON} ${here}/packwasm.py $<TARGET_FILE:${target}> $<TARGET_FILE:unpack>
        VERBATIM)
endfunction()

# The site: index.html, its manifest, icons and offline worker, for a server.
function(cylinder_web_site target)
    set(site ${PROJECT_BINARY_DIR}/site)
    set(icons ${PROJECT_SOURCE_DIR}/packaging/icons)
    add_custom_command(OUTPUT ${site}/index.html ${site}/sw.js ${site}/manifest.webmanifest
                              ${site}/icon-192.png ${site}/icon-512.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
        COMMAND ${CMAKE_COMMAND} -DPAGE=$<TARGET_FILE:${target}> -DSITE=${site}
                -DWORKER=${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sw.js.in
                -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/makesite.cmake
        COMMAND makepage --manifest ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/manifest.json
                ${site}/manifest.webmanifest
        COMMAND ${CMAKE_COMMAND} -E copy ${icons}/cylinder-192.png ${site}/icon-192.png
        COMMAND ${CMAKE_COMMAND} -E copy ${icons}/cylinder-512.png ${site}/icon-512.png
        DEPENDS ${target} makepage ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/makesite.cmake
                ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/manifest.json
                ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sw.js.in
                ${icons}/cylinder-192.png ${icons}/cylinder-512.png
        VERBATIM)
    add_custom_target(web_site ALL DEPENDS ${site}/index.html)
endfunction()
