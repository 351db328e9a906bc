# Regenerates the reference and the language-server definitions from the built module into OUT
# and fails when they differ from the committed ones in COMMITTED, or when the generator warns
# (a function left out, or in no documented family).
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${REAPER_SIM}" docs "${OUT}" "${MODULE}"
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "reaper-sim docs exited ${status}:\n${err}")
endif()

file(GLOB generated RELATIVE "${OUT}" "${OUT}/*")
set(stale "")
foreach(name IN LISTS generated)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/${name}" "${COMMITTED}/${name}"
        RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
    if(differs)
        list(APPEND stale "${name}")
        find_program(DIFF diff)
        if(DIFF)
            execute_process(COMMAND "${DIFF}" -u "${COMMITTED}/${name}" "${OUT}/${name}"
                OUTPUT_VARIABLE diff_text ERROR_QUIET)
            string(SUBSTRING "${diff_text}" 0 4000 diff_text)
            message("${diff_text}")
        endif()
    endif()
endforeach()
if(stale)
    message(FATAL_ERROR "docs/ is not what the module registers (${stale}); "
                        "regenerate with: build/reaper-sim docs docs")
endif()
