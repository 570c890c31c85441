# The release archive: tesvorin.exe, the README and the licence, as
# tesvorin-<major.minor.patch>-win64.zip or -win32.zip.
install(TARGETS tesvorin RUNTIME DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE"
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tesvorin)
set(CPACK_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(tesvorin_package_system win64)
else()
  set(tesvorin_package_system win32)
endif()
set(CPACK_PACKAGE_FILE_NAME
    "tesvorin-${CPACK_PACKAGE_VERSION}-${tesvorin_package_system}")
# Files at the archive's root: no directory entries whose times would vary.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/TesvorinPackageTimes.cmake")
include(CPack)
