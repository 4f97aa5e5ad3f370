# Writes BuildInfo.h for the About box: the build number (the number of
# commits), the build time, the commit and its time. Run at every build; the
# header is rewritten only when its text changes.
execute_process(COMMAND git rev-list --count HEAD WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_VARIABLE TESSARON_BUILD_NUMBER OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET)
execute_process(COMMAND git log -1 --format=%h WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_VARIABLE TESSARON_COMMIT_ID OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
execute_process(COMMAND git log -1 --format=%cd --date=format:%Y-%m-%d\ %H:%M
                WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_VARIABLE TESSARON_COMMIT_TIME OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
string(TIMESTAMP TESSARON_BUILD_TIME "%Y-%m-%d %H:%M")
foreach(var TESSARON_BUILD_NUMBER TESSARON_COMMIT_ID TESSARON_COMMIT_TIME)
    if(NOT ${var})
        set(${var} "unknown")
    endif()
endforeach()
configure_file(${SOURCE_DIR}/src/app/BuildInfo.h.in ${OUTPUT_FILE} @ONLY)
