# SPDX-License-Identifier: GPL-2.0-or-later
# Included by the top-level CMakeLists.txt before any library when
# CAELORA_FUZZ is on: every object of the build gets libFuzzer's coverage
# hooks, AddressSanitizer and UndefinedBehaviorSanitizer.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "CAELORA_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++ "
                      "-DCMAKE_C_COMPILER=clang, or use the preset \"fuzz\"")
endif()
set(CAELORA_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
add_compile_options(${CAELORA_FUZZ_FLAGS})
add_link_options(-fsanitize=address,undefined)
