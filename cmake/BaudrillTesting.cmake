# baudrill_add_gtest(<target> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>] [GUI]
#                    [QPA_PLATFORM <platform>])
# Builds one GoogleTest executable and registers each of its tests with CTest. Every test links
# the test helpers (tests/support); a GUI test links the GUI ones too, which bring the monitor's
# Qt side, and their main, which runs the tests in one QApplication. GUI tests run on the
# offscreen platform; QPA_PLATFORM gives it options (e.g. offscreen:configfile=<screens>).
# A test's ctest name is its gtest name alone, the same in every build: otherwise CMake appends
# what gtest prints of the parameter ("# GetParam() = ..."; raw bytes for a struct without a
# printer, which differ from build to build) or of the type; a table names its rows instead.
function(baudrill_add_gtest target)
    cmake_parse_arguments(ARG "GUI" "QPA_PLATFORM" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT ARG_QPA_PLATFORM)
        set(ARG_QPA_PLATFORM offscreen)
    endif()
    find_package(GTest REQUIRED)
    include(GoogleTest)
    add_executable(${target} ${ARG_SOURCES})
    if(ARG_GUI)
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} baudrill_gui_test_support baudrill_gui_test_main)
    else()
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} baudrill_test_support GTest::gtest_main)
    endif()
    gtest_discover_tests(${target}
        NO_PRETTY_TYPES NO_PRETTY_VALUES
        DISCOVERY_TIMEOUT 60
        PROPERTIES
            LABELS "${ARG_LABELS}"
            TIMEOUT 120
            ENVIRONMENT "QT_QPA_PLATFORM=${ARG_QPA_PLATFORM}")
endfunction()
