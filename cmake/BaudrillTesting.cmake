# baudrill_add_gtest(<target> SOURCES <files...> LIBS <libs...> [LABELS <labels...>]
#                    [QPA_PLATFORM <platform>])
# Builds one GoogleTest executable and registers each of its tests with CTest. GUI tests run on
# the offscreen platform; QPA_PLATFORM gives it options (e.g. offscreen:configfile=<screens>).
# A test's ctest name is its gtest name alone, the same in every build: otherwise CMake appends
# what gtest prints of the parameter ("# GetParam() = ..."; raw bytes for a struct without a
# printer, which differ from build to build) or of the type; a table names its rows instead.
function(baudrill_add_gtest target)
    cmake_parse_arguments(ARG "" "QPA_PLATFORM" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT ARG_QPA_PLATFORM)
        set(ARG_QPA_PLATFORM offscreen)
    endif()
    find_package(GTest REQUIRED)
    include(GoogleTest)
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${target}
        NO_PRETTY_TYPES NO_PRETTY_VALUES
        DISCOVERY_TIMEOUT 60
        PROPERTIES
            LABELS "${ARG_LABELS}"
            TIMEOUT 120
            ENVIRONMENT "QT_QPA_PLATFORM=${ARG_QPA_PLATFORM}")
endfunction()
