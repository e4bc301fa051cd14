# Writes the release zip ZIP of version VERSION from FILES (the programs, linked stripped, and
# the read-me files) and their SHA256SUMS: run by the target `release` (cmake/Release.cmake).
# The same commit gives the same bytes in any folder: the entries are stored in name order, all
# dated SOURCE_DATE_EPOCH (from the environment, else the commit's date, else a fixed date) in
# UTC, with the same permissions.
cmake_minimum_required(VERSION 3.25)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${SOURCE} log -1 --format=%ct OUTPUT_VARIABLE epoch
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
        set(epoch 1767225600) # 2026-01-01, for a tree without its history
    endif()
endif()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
set(names SHA256SUMS)
set(sums "")
foreach(path ${FILES})
    get_filename_component(name ${path} NAME)
    if(name MATCHES "\\.exe$")
        set(mode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        set(mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
    if(name MATCHES "\\.txt$") # the read-me files name the version, and end lines as Windows does
        configure_file(${path} ${STAGE}/${name} @ONLY NEWLINE_STYLE CRLF)
        file(CHMOD ${STAGE}/${name} PERMISSIONS ${mode})
    else()
        file(COPY ${path} DESTINATION ${STAGE} FILE_PERMISSIONS ${mode})
    endif()
    list(APPEND names ${name})
endforeach()
list(SORT names)
foreach(name ${names})
    if(NOT name STREQUAL "SHA256SUMS")
        file(SHA256 ${STAGE}/${name} hash)
        string(APPEND sums "${hash}  ${name}\n")
    endif()
endforeach()
file(WRITE ${STAGE}/SHA256SUMS "${sums}")
file(CHMOD ${STAGE}/SHA256SUMS PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP date "%Y-%m-%d %H:%M:%S UTC" UTC)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
                        ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip "--mtime=${date}" -- ${names}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not write ${ZIP}")
endif()
message(STATUS "${ZIP}: ${names}, dated ${date}")
