# The folders of src/ are layers: a folder may include only itself and the
# folders below it. kalvo_schicht_pruefen(folder "below") refuses, at
# configure time, every #include "<other>/…" of src/<folder> that names a
# folder not below it. The same check runs as a test (cmake -P), so that an
# include added later fails `make test` too.

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()

function(kalvo_schicht_pruefen ordner erlaubt)
    string(REPLACE ";" "," liste "${erlaubt}")
    set_property(GLOBAL APPEND PROPERTY KALVO_SCHICHTEN "${ordner}:${liste}")
    file(GLOB dateien "${PROJECT_SOURCE_DIR}/src/${ordner}/*.h" "${PROJECT_SOURCE_DIR}/src/${ordner}/*.cpp")
    foreach(datei ${dateien})
        file(STRINGS "${datei}" zeilen REGEX "^#include \"[a-z]+/")
        foreach(zeile ${zeilen})
            string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" ziel "${zeile}")
            if(NOT ziel STREQUAL ordner AND NOT ziel IN_LIST erlaubt)
                message(FATAL_ERROR "${datei}: ${zeile} läuft die Schichten hinauf: src/${ordner} darf nur "
                                    "${erlaubt} einbinden.")
            endif()
        endforeach()
    endforeach()
endfunction()

# As a script: cmake -DSCHICHTEN="ordner:unter,unter|…" -DPROJECT_SOURCE_DIR=… -P Schichten.cmake
if(CMAKE_SCRIPT_MODE_FILE AND DEFINED SCHICHTEN)
    string(REPLACE "|" ";" SCHICHTEN "${SCHICHTEN}")
    foreach(schicht ${SCHICHTEN})
        string(REPLACE ":" ";" teile "${schicht}")
        list(GET teile 0 ordner)
        set(unter "")
        list(LENGTH teile n)
        if(n GREATER 1)
            list(GET teile 1 unter)
            string(REPLACE "," ";" unter "${unter}")
        endif()
        kalvo_schicht_pruefen(${ordner} "${unter}")
    endforeach()
endif()
