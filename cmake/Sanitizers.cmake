# Builds for hunting memory and undefined-behaviour faults in what reads files
# from outside. Each goes into a build folder of its own (scripts/sanitize,
# scripts/fuzz); neither is meant for the program that is shipped.
option(ROV2_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ROV2_FUZZ "Build only the readers of outside files and their libFuzzer targets (clang)" OFF)

if(ROV2_SANITIZE OR ROV2_FUZZ)
  # Undefined behaviour stops the run instead of scrolling past in a test's output.
  # GCC leaves a double too large for an int out of "undefined"; ask for it.
  set(rov2_sanitizer_flags -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=undefined,float-cast-overflow)
  add_compile_options(${rov2_sanitizer_flags})
  add_link_options(${rov2_sanitizer_flags})
endif()

if(ROV2_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ROV2_FUZZ needs clang: configure with CC=clang-14 CXX=clang++-14")
  endif()
  # The libraries get the coverage hooks; only the targets link libFuzzer's main.
  # The warning options are GCC's, and some of them clang does not know.
  add_compile_options(-fsanitize=fuzzer-no-link -Wno-unknown-warning-option)
endif()
