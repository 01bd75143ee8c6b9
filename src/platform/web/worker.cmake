# Writes the page's service worker from sw.js.in: the files it keeps, and
# its cache's name, a hash of those files, so that each build has its own.
# Run by CMake at build time: cmake -DPAGE_DIR=... -DFILES=a,b -DTEMPLATE=... -P
string(REPLACE "," ";" FILES "${FILES}")
set(hashes "")
set(PAGE_FILES "\"./\"")
foreach(file IN LISTS FILES)
  file(SHA256 ${PAGE_DIR}/${file} hash)
  string(APPEND hashes "${file} ${hash}\n")
  string(APPEND PAGE_FILES ", \"${file}\"")
endforeach()
string(SHA256 PAGE_HASH "${hashes}")
string(SUBSTRING ${PAGE_HASH} 0 16 PAGE_HASH)
configure_file(${TEMPLATE} ${PAGE_DIR}/sw.js @ONLY)
