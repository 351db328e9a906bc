# Runs SCRIPT on PROJECT saving OUT, then CHECK on OUT: both must finish cleanly, without a
# warning (an undo block or a refresh count left unbalanced). Options for the script's run, one
# per line, come from SCRIPT's name with .args for .lua when that file exists (dialog answers).
get_filename_component(out_dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
file(REMOVE ${OUT} ${OUT}-bak)
string(REGEX REPLACE "[.]lua$" ".args" args_file ${SCRIPT})
set(script_args "")
if(EXISTS ${args_file})
    file(STRINGS ${args_file} script_args)
endif()
foreach(step script check)
    if(step STREQUAL "script")
        set(command ${REAPER_SIM} run ${SCRIPT} --ext ${MODULE} --project ${PROJECT} --save ${OUT}
                    ${script_args})
    else()
        set(command ${REAPER_SIM} run ${CHECK} --ext ${MODULE} --project ${OUT})
    endif()
    execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0 OR err MATCHES "reaper-sim: warning")
        message(FATAL_ERROR "${step} exited ${status}\nstdout:\n${out}\nstderr:\n${err}")
    endif()
endforeach()
