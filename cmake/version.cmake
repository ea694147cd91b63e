# The version both builds carry: a release tag vX.Y[.Z] when `git describe` finds one, else the
# project's version with the commit count and id, so every build names the commit it came from.
# Written to stats_version.h, which the version resource and rdac include.
set(STATS_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(STATS_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(STATS_VERSION_PATCH 0)
set(STATS_VERSION "${PROJECT_VERSION}")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --match "v[0-9]*" --dirty
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE described
                  RESULT_VARIABLE no_tag OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT no_tag AND described MATCHES "^v([0-9]+)\\.([0-9]+)(\\.([0-9]+))?(.*)$")
    set(STATS_VERSION_MAJOR ${CMAKE_MATCH_1})
    set(STATS_VERSION_MINOR ${CMAKE_MATCH_2})
    if(CMAKE_MATCH_4)
      set(STATS_VERSION_PATCH ${CMAKE_MATCH_4})
    endif()
    string(REGEX REPLACE "^v" "" STATS_VERSION "${described}")
  else()
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE count
                    RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} describe --always --dirty
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE commit
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed AND count MATCHES "^[0-9]+$")
      set(STATS_VERSION_PATCH ${count})
      set(STATS_VERSION "${PROJECT_VERSION}.${count}-g${commit}")
    endif()
  endif()
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/stats_version.h.in ${CMAKE_BINARY_DIR}/generated/stats_version.h)
