# SPDX-License-Identifier: GPL-3.0-or-later
# The page as a site: index.html is cylinder.html that also names its
# manifest and starts the worker that keeps it for use offline.
#   cmake -DPAGE=cylinder.html -DSITE=dir -DWORKER=sw.js.in -P makesite.cmake
file(READ ${PAGE} page)
set(csp "img-src data:\">")
string(FIND "${page}" "${csp}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "no Content-Security-Policy ending in ${csp} in ${PAGE}")
endif()
string(REPLACE "${csp}" "img-src 'self' data:; manifest-src 'self'; worker-src 'self'\">" page "${page}")
string(REPLACE "</head>" "<link rel=\"manifest\" href=\"manifest.webmanifest\">
<link rel=\"icon\" href=\"icon-192.png\">
<link rel=\"apple-touch-icon\" href=\"icon-192.png\">
</head>" page "${page}")
string(REPLACE "</body>" "<script>
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
</script>
</body>" page "${page}")
file(WRITE ${SITE}/index.html "${page}")
file(SHA256 ${SITE}/index.html hash)
string(SUBSTRING ${hash} 0 16 PAGE_HASH)
configure_file(${WORKER} ${SITE}/sw.js @ONLY)
