# One place for the compiler warnings every target of ours is built with.
# ROV2_WERROR makes them errors in any build type (scripts/test and CI switch
# it on); Debug builds always treat them as errors.
option(ROV2_WERROR "Treat compiler warnings as errors" OFF)

add_library(rov2_warnings INTERFACE)
target_compile_options(rov2_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor
  -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough
  $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast>
  $<$<OR:$<CONFIG:Debug>,$<BOOL:${ROV2_WERROR}>>:-Werror>)
target_compile_definitions(rov2_warnings INTERFACE QT_NO_KEYWORDS)
