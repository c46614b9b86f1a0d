# Fails when the core libraries need Qt Gui or Widgets: in the link interface of any of them, or
# among the shared libraries that a program linking all of them needs.
set(forbidden "Qt6::Gui|Qt6::Widgets|Qt6Gui|Qt6Widgets")

file(STRINGS ${CLOSURE} closure)
foreach(item ${closure})
    if(item MATCHES "${forbidden}")
        message(FATAL_ERROR "a core library links ${item}")
    endif()
endforeach()

find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} -d ${PROBE}
    OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${PROBE}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
if(NOT needed MATCHES "libQt6Core")
    message(FATAL_ERROR "the probe does not show its Qt libraries: ${needed}")
endif()
foreach(line ${needed})
    if(line MATCHES "libQt6Gui|libQt6Widgets")
        message(FATAL_ERROR "the core libraries need ${line}")
    endif()
endforeach()
message(STATUS "core libraries need: ${needed}")
