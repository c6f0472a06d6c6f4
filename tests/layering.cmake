# The forms stand in floors, and a floor includes only those below it: the main window on top
# opens every subsystem's windows; they and the day page reach it as its frame (ui/MainFrame.h).
# The day page's start-up offer of an UnPack is the one call it makes into Pack To Go.
set(rules
    "ui:daypage/|dialogs/|files/|options/|printing/|setup/|mainwindow/"
    "widgets:ui/|daypage/|dialogs/|files/|options/|printing/|setup/|mainwindow/"
    "dialogs:daypage/|files/|options/|printing/|setup/|mainwindow/"
    "daypage:dialogs/|options/|printing/|setup/|mainwindow/"
    "files:options/|printing/|setup/|mainwindow/"
    "options:setup/|printing/|mainwindow/"
    "printing:setup/|options/|files/|mainwindow/"
    "setup:options/|printing/|mainwindow/")
set(failures "")
foreach(rule IN LISTS rules)
    string(REPLACE ":" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(GET parts 1 above)
    file(GLOB sources "${SOURCE_DIR}/src/${folder}/*.cpp" "${SOURCE_DIR}/src/${folder}/*.h")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include \"(${above})")
        foreach(line IN LISTS includes)
            if(folder STREQUAL "daypage" AND line MATCHES "\"files/PackToGo.h\"")
                continue()
            endif()
            string(APPEND failures "\n  ${source}: ${line}")
        endforeach()
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "A floor includes one above it:${failures}")
endif()
