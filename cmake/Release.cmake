# The release players download: `cmake --workflow --preset release` builds the product and the
# target `release`, which writes build/windows/Velmark-Settings-<version>-win32.zip with both
# programs, the read-me in English and French, and SHA256SUMS (cmake/make_release.py).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(release_system win32)
else()
    set(release_system win64)
endif()
set(release_zip ${CMAKE_BINARY_DIR}/Velmark-Settings-${PROJECT_VERSION}-${release_system}.zip)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_target(release
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/make_release.py ${release_zip} ${PROJECT_VERSION}
            ${CMAKE_SOURCE_DIR} $<TARGET_FILE:VelmarkSetup> $<TARGET_FILE:velmark_settings>
            ${CMAKE_SOURCE_DIR}/Resources/Release/ReadMe.txt ${CMAKE_SOURCE_DIR}/Resources/Release/LisezMoi.txt
    DEPENDS VelmarkSetup velmark_settings
    BYPRODUCTS ${release_zip}
    VERBATIM)
