# One interface target carries the language standard, warnings and Qt defines;
# every target of the project links it.
add_library(clvn_common INTERFACE)
target_compile_features(clvn_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(clvn_common INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Wshadow
  # The error handling depends on IEEE behaviour: keep the defaults that
  # honour traps and flags, and never let fast-math in.
  -ftrapping-math -fno-fast-math)
if(CLVN_WERROR)
  target_compile_options(clvn_common INTERFACE -Werror)
endif()
target_compile_definitions(clvn_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER)
if(CLVN_SANITIZE)
  target_compile_options(clvn_common INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(clvn_common INTERFACE -fsanitize=address,undefined)
endif()
