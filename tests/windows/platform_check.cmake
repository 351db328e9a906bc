# Runs the Windows platform tests (EXE) under Wine (EMULATOR) in LOCALE: with EXPECTED, the locale
# test (Wine must report EXPECTED); without, the opener test, with a recording stand-in for
# xdg-open first on PATH. The Wine server keeps the locale it started with: it is stopped before the
# run, and after it so no later test inherits this one. The prefix is the one the emulator uses:
# WINEPREFIX when set, else PREFIX.
if(DEFINED ENV{WINEPREFIX})
    set(PREFIX $ENV{WINEPREFIX})
endif()
if(EXPECTED)
    set(tests WindowsLocale.*)
else()
    set(tests WindowsOpener.*)
endif()
set(dir ${CMAKE_CURRENT_BINARY_DIR}/opener)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/xdg-open "#!/bin/sh\nprintf '[%s]' \"$@\" >> '${dir}/record'\necho >> '${dir}/record'\n")
file(CHMOD ${dir}/xdg-open PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} wineserver -k ERROR_QUIET)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} LC_ALL=${LOCALE} "PATH=${dir}:$ENV{PATH}"
            QM_EXPECTED_LOCALE=${EXPECTED} QM_OPENER_RECORD=${dir}/record
            ${EMULATOR} ${EXE} --gtest_filter=${tests}
    RESULT_VARIABLE result)
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} wineserver -k ERROR_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Windows platform tests in ${LOCALE}: ${result}")
endif()
