# One interface target carries the language standard, warnings and sanitizer flags for every target.
add_library(morvessa_options INTERFACE)
target_compile_features(morvessa_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(morvessa_options INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
if(MORVESSA_WERROR)
  target_compile_options(morvessa_options INTERFACE -Werror)
endif()

if(MORVESSA_SANITIZE STREQUAL "address")
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
elseif(MORVESSA_SANITIZE STREQUAL "thread")
  set(_san -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT MORVESSA_SANITIZE STREQUAL "")
  message(FATAL_ERROR "MORVESSA_SANITIZE must be address, thread or empty")
endif()
if(_san)
  # GCC 12 reports false maybe-uninitialized warnings inside libstdc++ (std::regex, std::function) under the
  # sanitizers' instrumentation.
  target_compile_options(morvessa_options INTERFACE ${_san} -Wno-maybe-uninitialized)
  target_link_options(morvessa_options INTERFACE ${_san})
endif()
