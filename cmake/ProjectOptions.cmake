# One INTERFACE target that every target of ours links: warnings and Qt strictness.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE
  -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Wshadow=local -Wpointer-arith)
target_compile_definitions(project_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT
  QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)

if(TABULON_SANITIZE)
  string(REPLACE ";" "," _san "${TABULON_SANITIZE}")
  target_compile_options(project_options INTERFACE -fsanitize=${_san} -fno-omit-frame-pointer -g)
  target_link_options(project_options INTERFACE -fsanitize=${_san})
endif()
