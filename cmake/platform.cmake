# What differs between the platforms REAPER runs on, decided once from the target: the name of
# the file REAPER loads (reaper_<product>-<arch>.<ext>), the resource folder `cmake --install`
# defaults to, and which platform-specific sources build.

string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" qm_processor)
if(APPLE AND CMAKE_OSX_ARCHITECTURES)
    set(qm_processor "${CMAKE_OSX_ARCHITECTURES}")
endif()
if(qm_processor MATCHES "^(x86_64|amd64|x64)$")
    set(qm_processor x86_64)
elseif(qm_processor MATCHES "^(aarch64|arm64)$")
    set(qm_processor aarch64)
elseif(qm_processor MATCHES "^arm")
    set(qm_processor armv7l)
endif()

# Each platform REAPER runs on, by its ReaPack name, and the file REAPER loads there: one table
# for the module's name and the ReaPack index.
set(QM_MODULE_STEM reaper_${PROJECT_NAME})
set(QM_REAPACK_PLATFORMS
    win64:${QM_MODULE_STEM}-x64.dll
    linux64:${QM_MODULE_STEM}-x86_64.so
    linux-aarch64:${QM_MODULE_STEM}-aarch64.so
    linux-armv7l:${QM_MODULE_STEM}-armv7l.so
    darwin64:${QM_MODULE_STEM}-x86_64.dylib
    darwin-arm64:${QM_MODULE_STEM}-arm64.dylib)

if(WIN32 AND qm_processor STREQUAL "x86_64")
    set(QM_REAPACK_PLATFORM win64)
elseif(APPLE AND qm_processor STREQUAL "x86_64")
    set(QM_REAPACK_PLATFORM darwin64)
elseif(APPLE AND qm_processor STREQUAL "aarch64")
    set(QM_REAPACK_PLATFORM darwin-arm64)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND qm_processor STREQUAL "x86_64")
    set(QM_REAPACK_PLATFORM linux64)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND qm_processor MATCHES "^(aarch64|armv7l)$")
    set(QM_REAPACK_PLATFORM linux-${qm_processor})
else()
    message(FATAL_ERROR "REAPER does not load extensions built for ${CMAKE_SYSTEM_NAME} "
                        "${CMAKE_SYSTEM_PROCESSOR} ${CMAKE_OSX_ARCHITECTURES}")
endif()
set(qm_row ${QM_REAPACK_PLATFORMS})
list(FILTER qm_row INCLUDE REGEX "^${QM_REAPACK_PLATFORM}:")
string(REGEX REPLACE "^[^:]*:" "" QM_MODULE_FILE "${qm_row}")
get_filename_component(QM_MODULE_OUTPUT_NAME ${QM_MODULE_FILE} NAME_WLE)
get_filename_component(QM_MODULE_SUFFIX ${QM_MODULE_FILE} LAST_EXT)

# REAPER's resource folder. A Windows build made elsewhere installs into the Wine user's, the one
# its tests run in.
if(WIN32)
    if(DEFINED ENV{APPDATA})
        file(TO_CMAKE_PATH "$ENV{APPDATA}" qm_appdata)
    else()
        execute_process(COMMAND id -un OUTPUT_VARIABLE qm_user OUTPUT_STRIP_TRAILING_WHITESPACE)
        set(qm_appdata "${CMAKE_BINARY_DIR}/wine-prefix/drive_c/users/${qm_user}/AppData/Roaming")
    endif()
    set(QM_DEFAULT_RESOURCE_DIR "${qm_appdata}/REAPER")
elseif(APPLE)
    set(QM_DEFAULT_RESOURCE_DIR "$ENV{HOME}/Library/Application Support/REAPER")
else()
    set(QM_DEFAULT_RESOURCE_DIR "$ENV{HOME}/.config/REAPER")
endif()

# Keeps in LIST the sources that build for this target: *_windows.cpp only for Windows,
# *_posix.cpp everywhere else, *_linux.cpp only for Linux, *_macos.cpp/.mm only for macOS.
function(qm_platform_sources list)
    set(kept "")
    foreach(file IN LISTS ${list})
        get_filename_component(name "${file}" NAME_WE)
        if((name MATCHES "_windows$" AND NOT WIN32)
           OR (name MATCHES "_posix$" AND WIN32)
           OR (name MATCHES "_linux$" AND NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
           OR (name MATCHES "_macos$" AND NOT APPLE))
            continue()
        endif()
        list(APPEND kept "${file}")
    endforeach()
    set(${list} "${kept}" PARENT_SCOPE)
endfunction()

