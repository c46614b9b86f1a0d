# plim_library(<name> [DEPS <targets>...])
# One static library per source folder: every .cpp and .h of the folder that calls it.
function(plim_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(compiled ${sources})
    list(FILTER compiled INCLUDE REGEX "\\.cpp$")
    if(NOT compiled)
        # A subsystem without sources yet: its headers only.
        add_library(plim_${name} INTERFACE)
        target_include_directories(plim_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(plim_${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(plim_${name} STATIC ${sources})
    target_include_directories(plim_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(plim_${name} PUBLIC ${ARG_DEPS})
    target_compile_definitions(plim_${name} PUBLIC QT_NO_KEYWORDS)
endfunction()

# plim_tests(<name> [DEPS <targets>...] [MAIN <core|none>])
# One test program per test folder (every .cpp of the folder), each test registered with CTest.
# The default main makes a QCoreApplication; MAIN widgets makes a QApplication for widget tests
# (offscreen, one fixed font, temporary profile); MAIN none means the folder brings its own main.
function(plim_tests name)
    cmake_parse_arguments(ARG "" "MAIN" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(plim_${name}_tests ${sources})
    if(ARG_MAIN STREQUAL "widgets")
        target_link_libraries(plim_${name}_tests PRIVATE plim_widget_test_main)
    elseif(NOT ARG_MAIN STREQUAL "none")
        target_link_libraries(plim_${name}_tests PRIVATE plim_test_main)
    endif()
    target_link_libraries(plim_${name}_tests PRIVATE ${ARG_DEPS} plim_test_support
        GTest::gtest GTest::gmock)
    target_compile_definitions(plim_${name}_tests PRIVATE
        PLIM_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        PLIM_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
    gtest_discover_tests(plim_${name}_tests
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
endfunction()
