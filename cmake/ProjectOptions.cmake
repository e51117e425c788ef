# One INTERFACE target that every target of ours links: warnings and Qt strictness.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE
  -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  -Wpointer-arith)
target_compile_definitions(project_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT
  QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)

if(TABULON_SANITIZE)
  string(REPLACE ";" "," _san "${TABULON_SANITIZE}")
  target_compile_options(project_options INTERFACE -fsanitize=${_san} -fno-omit-frame-pointer -g)
  target_link_options(project_options INTERFACE -fsanitize=${_san})
endif()

# The fuzz build instruments every target of ours for libFuzzer's coverage and checks memory and
# undefined behaviour; only the fuzz targets themselves link libFuzzer's main.
if(TABULON_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TABULON_BUILD_FUZZERS needs clang (CXX=clang++-14)")
  endif()
  target_compile_options(project_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1)
  target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()
