# htmlcxx's HTML parser, compiled from Debian's patched source so that every
# build (and the sanitizers) run the very same parser code.
set(_hx "${NESTARI_HTMLCXX_DIR}/html")
if(NOT EXISTS "${_hx}/ParserDom.cc")
  message(FATAL_ERROR "htmlcxx source not found in ${NESTARI_HTMLCXX_DIR}: run scripts/setup")
endif()

add_library(htmlcxx STATIC
  "${_hx}/ParserDom.cc"
  "${_hx}/ParserSax.cc"
  "${_hx}/Node.cc")
# Its headers are included as <html/...>; they warn under -Wall, so they are system headers.
target_include_directories(htmlcxx SYSTEM PUBLIC "${NESTARI_HTMLCXX_DIR}")
target_compile_options(htmlcxx PRIVATE -w)
