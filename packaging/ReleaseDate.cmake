# The release's date, from the newest entry of packaging/debian/changelog, for everything the
# build would otherwise date by its own clock (the about box, the package's time stamps), so
# that every build of a release is the same:
#   ZENTRIMA_RELEASE_DATE   in the compiler's date format, "Dec  8 2026"
#   ZENTRIMA_RELEASE_EPOCH  seconds since 1970, as SOURCE_DATE_EPOCH gives them
include_guard(GLOBAL)
set(changelog ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
file(STRINGS ${changelog} trailer REGEX "^ -- .*>  " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- .*>  " "" stamp "${trailer}")
execute_process(COMMAND env LC_ALL=C date -u -d "${stamp}" "+%b %e %Y|%s"
    OUTPUT_VARIABLE dated OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT dated MATCHES "^([A-Z][a-z][a-z] [ 0-9][0-9] [0-9][0-9][0-9][0-9])\\|([0-9]+)$")
    message(FATAL_ERROR "no release date in ${changelog}: '${stamp}'")
endif()
set(ZENTRIMA_RELEASE_DATE "${CMAKE_MATCH_1}")
set(ZENTRIMA_RELEASE_EPOCH "${CMAKE_MATCH_2}")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
