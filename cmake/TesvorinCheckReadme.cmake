# cmake -DREADME=<file> -DVERSION=<x.y.z.w> -P TesvorinCheckReadme.cmake
# The README names the version and the archive names that the build makes.
file(READ "${README}" text)
string(REGEX REPLACE "\\.[0-9]+$" "" archive_version "${VERSION}")
foreach(expected "version ${VERSION}" "tesvorin-${archive_version}-win64.zip"
                 "tesvorin-${archive_version}-win32.zip")
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.md does not name ${expected}")
  endif()
endforeach()
message(STATUS "README.md names version ${VERSION}")
