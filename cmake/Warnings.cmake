# One place for the compiler warnings every target of ours is built with.
add_library(rov2_warnings INTERFACE)
target_compile_options(rov2_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough
  $<$<CONFIG:Debug>:-Werror>)
# Qt's own macros expand to old-style casts in a few places.
target_compile_options(rov2_warnings INTERFACE -Wno-old-style-cast)
target_compile_definitions(rov2_warnings INTERFACE QT_NO_KEYWORDS)
