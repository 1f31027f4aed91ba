# SPDX-License-Identifier: GPL-3.0-or-later
# Builds for the browser with Debian's emscripten (em++ 3.1.6). The portable
# tests run under node, as the Windows ones run under Wine.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# Debian's prebuilt library cache is frozen: never point EM_CACHE elsewhere.
unset(ENV{EM_CACHE})
# The linker's JavaScript tools need Debian's node modules (acorn) when the
# node on PATH is another build.
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
# node 18 and later would fetch the .wasm as a URL without this.
set(CMAKE_CROSSCOMPILING_EMULATOR node;--no-experimental-fetch CACHE STRING "" FORCE)
