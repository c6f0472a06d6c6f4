# The forms stand in floors, and a floor uses only those below it: the main window on top
# opens every subsystem's windows; they and the day page reach it as its frame (ui/MainFrame.h),
# which the main window hands over when it is built. The day page's start-up offer of an UnPack
# is the one call it makes into Pack To Go.
#
# Two checks: no floor includes a header of one above it, and no floor's object files need a
# symbol that only a floor above defines (a declaration below with its definition above passes
# the first check but still ties the floor to the one above). The second check reads the objects
# of the build tree: OBJECTS lists them ('|' between), NM names the nm of the tool chain.
cmake_minimum_required(VERSION 3.22)

set(rules
    "platform:core/|widgets/|ui/|daypage/|dialogs/|files/|options/|printing/|setup/|mainwindow/"
    "core:widgets/|ui/|daypage/|dialogs/|files/|options/|printing/|setup/|mainwindow/"
    "ui:daypage/|dialogs/|files/|options/|printing/|setup/|mainwindow/"
    "widgets:ui/|daypage/|dialogs/|files/|options/|printing/|setup/|mainwindow/"
    "dialogs:daypage/|files/|options/|printing/|setup/|mainwindow/"
    "daypage:dialogs/|options/|printing/|setup/|mainwindow/"
    "files:options/|printing/|setup/|mainwindow/"
    "options:setup/|printing/|mainwindow/"
    "printing:setup/|options/|files/|mainwindow/"
    "setup:options/|printing/|mainwindow/")
# The one allowed call upward, as folder, then the file of the floor above it may use.
set(allowed_folder "daypage")
set(allowed_file "files/PackToGo")

set(failures "")
foreach(rule IN LISTS rules)
    string(REPLACE ":" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(GET parts 1 above)
    file(GLOB sources "${SOURCE_DIR}/src/${folder}/*.cpp" "${SOURCE_DIR}/src/${folder}/*.h")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include \"(${above})")
        foreach(line IN LISTS includes)
            if(folder STREQUAL allowed_folder AND line MATCHES "\"${allowed_file}.h\"")
                continue()
            endif()
            string(APPEND failures "\n  ${source}: ${line}")
        endforeach()
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "A floor includes one above it:${failures}")
endif()

# The symbols. Without the objects or nm the check cannot be made, and that is a failure, not a
# pass: a layering test that silently checks half is worse than none.
if(NOT NM OR NOT EXISTS "${NM}")
    message(FATAL_ERROR "nm was not found (NM='${NM}'); it comes with binutils.")
endif()
string(REPLACE "|" ";" objects "${OBJECTS}")
set(by_folder "")
foreach(object IN LISTS objects)
    if(NOT EXISTS "${object}")
        message(FATAL_ERROR "${object} is missing: build the project before running its tests.")
    endif()
    # .../CMakeFiles/<target>.dir/[./]<folder>/<file>.o; generated code (moc) has a folder of its own
    # and is left out.
    if(object MATCHES "/CMakeFiles/[^/]+\\.dir/(\\./)?([^/]+)/[^/]+$")
        set(folder "${CMAKE_MATCH_2}")
        list(APPEND objects_${folder} "${object}")
        list(APPEND by_folder ${folder})
    endif()
endforeach()
list(REMOVE_DUPLICATES by_folder)
foreach(rule IN LISTS rules)
    string(REGEX MATCH "^[^:]+" folder "${rule}")
    if(NOT folder IN_LIST by_folder)
        message(FATAL_ERROR "No object files of src/${folder} were handed to the check.")
    endif()
endforeach()

set(work "${CMAKE_CURRENT_BINARY_DIR}/layering-symbols")
file(MAKE_DIRECTORY "${work}")
# Mangled names: they hold no characters that a CMake list or a variable name would take apart.
# A symbol a floor defines for itself (T, D, B, R, G, S; weak and unique ones are copies that
# every user of an inline function or template holds) is recorded as defined_<symbol>.
foreach(folder IN LISTS by_folder)
    execute_process(COMMAND "${NM}" --defined-only -A ${objects_${folder}}
                    OUTPUT_FILE "${work}/${folder}.defined" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${NM} failed on the objects of src/${folder}.")
    endif()
    file(STRINGS "${work}/${folder}.defined" lines REGEX " [TDBRGS] [^ ]+$")
    foreach(line IN LISTS lines)
        if(line MATCHES "/([^/:]+)\\.cpp\\.o:[0-9a-fA-F ]* [TDBRGS] ([^ ]+)$")
            set("defined_${CMAKE_MATCH_2}" "${folder}/${CMAKE_MATCH_1}")
        endif()
    endforeach()
endforeach()

find_program(CXXFILT NAMES c++filt)
foreach(rule IN LISTS rules)
    string(REPLACE ":" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(GET parts 1 above)
    execute_process(COMMAND "${NM}" --undefined-only -A ${objects_${folder}}
                    OUTPUT_FILE "${work}/${folder}.undefined" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${NM} failed on the objects of src/${folder}.")
    endif()
    file(STRINGS "${work}/${folder}.undefined" lines REGEX " U [^ ]+$")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "/([^/:]+\\.o):[ ]* U ([^ ]+)$")
            continue()
        endif()
        set(object "${CMAKE_MATCH_1}")
        set(symbol "${CMAKE_MATCH_2}")
        if(NOT DEFINED "defined_${symbol}")
            continue()
        endif()
        set(home "${defined_${symbol}}")
        if(NOT home MATCHES "^(${above})")
            continue()
        endif()
        if(folder STREQUAL allowed_folder AND home STREQUAL allowed_file)
            continue()
        endif()
        set(name "${symbol}")
        if(CXXFILT)
            execute_process(COMMAND "${CXXFILT}" "${symbol}" OUTPUT_VARIABLE name OUTPUT_STRIP_TRAILING_WHITESPACE)
        endif()
        string(APPEND failures "\n  src/${folder} (${object}) uses ${name}, defined in src/${home}.cpp")
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "A floor needs a symbol that only a floor above defines:${failures}")
endif()
