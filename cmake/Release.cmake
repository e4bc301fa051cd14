# The release players download: `cmake --workflow --preset release` builds the product and the
# target `release`, which writes build/windows/Velmark-Settings-<version>-win32.zip with both
# programs, the read-me in English and French, and SHA256SUMS (cmake/MakeRelease.cmake).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(release_system win32)
else()
    set(release_system win64)
endif()
set(release_zip ${CMAKE_BINARY_DIR}/Velmark-Settings-${PROJECT_VERSION}-${release_system}.zip)
add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -DZIP=${release_zip} -DSOURCE=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
            -DSTAGE=${CMAKE_BINARY_DIR}/release
            "-DFILES=$<TARGET_FILE:VelmarkSetup>;$<TARGET_FILE:velmark_settings>;${CMAKE_SOURCE_DIR}/Resources/Release/ReadMe.txt;${CMAKE_SOURCE_DIR}/Resources/Release/LisezMoi.txt"
            -P ${CMAKE_SOURCE_DIR}/cmake/MakeRelease.cmake
    DEPENDS VelmarkSetup velmark_settings
    BYPRODUCTS ${release_zip}
    VERBATIM)
