# The release players download: `cmake --workflow --preset release` builds the product and the
# target `release`, which writes into build/windows (cmake/make_release.py):
# - Velmark-Settings-<version>-win32.zip: both programs, the read-me in English and French, and
#   SHA256SUMS;
# - Velmark-Settings-<version>-linux-x86_64.tar.gz: the native command-line tool, linked
#   statically and stripped, its read-me for Linux, and SHA256SUMS. The tool is built by the
#   host's compiler in a build folder of its own (linux-x86_64), from the same sources and so
#   with the same project version.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(release_system win32)
else()
    set(release_system win64)
endif()
set(release_zip ${CMAKE_BINARY_DIR}/Velmark-Settings-${PROJECT_VERSION}-${release_system}.zip)
# Named after the machine that builds it: x86_64 on ours.
set(linux_system linux-${CMAKE_HOST_SYSTEM_PROCESSOR})
set(release_tar ${CMAKE_BINARY_DIR}/Velmark-Settings-${PROJECT_VERSION}-${linux_system}.tar.gz)
set(linux_build ${CMAKE_BINARY_DIR}/${linux_system})
set(linux_tool ${linux_build}/Code/Cli/velmark-settings)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

include(ExternalProject)
ExternalProject_Add(linux_tool
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${linux_build}
    PREFIX ${CMAKE_BINARY_DIR}/${linux_system}-steps
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=MinSizeRel -DVELMARK_TESTS=OFF
               "-DCMAKE_EXE_LINKER_FLAGS=-static -s"
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${linux_build} --target velmark_settings
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${linux_tool}
    EXCLUDE_FROM_ALL ON)

add_custom_target(release
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/make_release.py ${release_zip} ${PROJECT_VERSION}
            ${CMAKE_SOURCE_DIR} $<TARGET_FILE:VelmarkSetup> $<TARGET_FILE:velmark_settings>
            ${CMAKE_SOURCE_DIR}/Resources/Release/ReadMe.txt ${CMAKE_SOURCE_DIR}/Resources/Release/LisezMoi.txt
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/make_release.py ${release_tar} ${PROJECT_VERSION}
            ${CMAKE_SOURCE_DIR} ${linux_tool} ${CMAKE_SOURCE_DIR}/Resources/Release/ReadMe-Linux.txt
    DEPENDS VelmarkSetup velmark_settings linux_tool
    BYPRODUCTS ${release_zip} ${release_tar}
    VERBATIM)
