# Runs one reaper-sim command line and checks its exit status and output.
#   COMMAND     the command, its words separated by |
#   EXPECT_EXIT the exit status it must end with
#   STDOUT_HAS  regular expressions, separated by @@, that standard output must each match
#   STDERR_HAS  the same for standard error
#   STDOUT_EMPTY, STDERR_EMPTY  when ON, that stream must be empty
string(REPLACE "|" ";" command "${COMMAND}")
list(FILTER command EXCLUDE REGEX "^$")
execute_process(COMMAND ${command}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)

set(failures "")
if(NOT "${status}" STREQUAL "${EXPECT_EXIT}")
    string(APPEND failures "exit status ${status}, expected ${EXPECT_EXIT}\n")
endif()
foreach(stream IN ITEMS STDOUT STDERR)
    if(stream STREQUAL "STDOUT")
        set(text "${out}")
    else()
        set(text "${err}")
    endif()
    if(${stream}_EMPTY AND NOT text STREQUAL "")
        string(APPEND failures "${stream} should be empty\n")
    endif()
    if(NOT "${${stream}_HAS}" STREQUAL "")
        string(REPLACE "@@" ";" patterns "${${stream}_HAS}")
        foreach(pattern IN LISTS patterns)
            if(NOT text MATCHES "${pattern}")
                string(APPEND failures "${stream} does not match: ${pattern}\n")
            endif()
        endforeach()
    endif()
endforeach()

if(NOT failures STREQUAL "")
    message(FATAL_ERROR "${failures}--- command: ${command}\n--- stdout:\n${out}\n--- stderr:\n${err}")
endif()
