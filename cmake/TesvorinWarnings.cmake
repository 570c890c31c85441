# Warnings are errors in every target of the project (not in GoogleTest).
add_library(tesvorin_warnings INTERFACE)
if(MSVC)
  target_compile_options(tesvorin_warnings INTERFACE /W4 /WX /permissive- /utf-8)
else()
  target_compile_options(
    tesvorin_warnings
    INTERFACE -Wall
              -Wextra
              -Wpedantic
              -Wconversion
              -Wsign-conversion
              -Wshadow
              -Werror)
endif()
