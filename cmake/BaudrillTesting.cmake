# baudrill_add_gtest(<target> SOURCES <files...> LIBS <libs...> [LABELS <labels...>])
# Builds one GoogleTest executable and registers each of its tests with CTest.
function(baudrill_add_gtest target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    find_package(GTest REQUIRED)
    include(GoogleTest)
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        PROPERTIES
            LABELS "${ARG_LABELS}"
            TIMEOUT 120
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
