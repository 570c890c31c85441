# GoogleTest from source, so the same tests build natively and for Windows.
set(TESVORIN_GOOGLETEST_SOURCE
    "/usr/src/googletest"
    CACHE PATH "GoogleTest source tree; empty to use an installed GoogleTest")

if(TESVORIN_GOOGLETEST_SOURCE AND EXISTS
                                  "${TESVORIN_GOOGLETEST_SOURCE}/CMakeLists.txt")
  enable_language(C)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory("${TESVORIN_GOOGLETEST_SOURCE}"
                   "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

include(GoogleTest)

# tesvorin_add_test(<name> SOURCES <files...> LIBRARIES <targets...>)
# Natively each case is its own CTest test; a Windows test program runs
# whole under the emulator, as one test, so Wine starts once for it.
function(tesvorin_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest_main
                                        tesvorin_warnings)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
