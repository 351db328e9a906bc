# Installs the built module under a scratch prefix and checks it lands in REAPER's UserPlugins
# folder; also checks that the default prefix is REAPER's resource folder.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
if(NOT EXISTS "${PREFIX}/UserPlugins/${MODULE}")
    message(FATAL_ERROR "${MODULE} is not in ${PREFIX}/UserPlugins")
endif()
file(STRINGS "${BUILD}/CMakeCache.txt" prefix_line REGEX "^CMAKE_INSTALL_PREFIX:")
if(NOT prefix_line MATCHES "(/\\.config/REAPER|/Library/Application Support/REAPER|/AppData/Roaming/REAPER)$")
    message(FATAL_ERROR "default install prefix is not REAPER's resource folder: ${prefix_line}")
endif()
