# Runs "plim -?" and compares its standard output with the golden usage text, byte for byte.
execute_process(COMMAND ${PLIM} -?
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
file(READ ${GOLDEN} expected)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "plim -? exited with ${result}: ${errors}")
endif()
if(NOT output STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/usage.actual.txt "${output}")
    message(FATAL_ERROR "plim -? printed another text than ${GOLDEN}; "
        "see ${CMAKE_CURRENT_BINARY_DIR}/usage.actual.txt")
endif()
if(NOT errors STREQUAL "")
    message(FATAL_ERROR "plim -? wrote to standard error: ${errors}")
endif()
message(STATUS "plim -? printed the usage text")
