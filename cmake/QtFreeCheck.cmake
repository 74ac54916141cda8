# Keeps the Qt-free folders free of Qt. A library registers its side:
#   baudrill_qt_free(<target> MAY_INCLUDE <top folders...>): its sources include no Qt header,
#       of this project's folders only those named, and there only headers of Qt-free folders;
#   baudrill_uses_qt(<target>): its sources are the Qt side.
# baudrill_add_qt_free_check(), called once every target is made, fails the build on any such
# include (cmake/CheckQtFree.cmake) and registers the check as tests.

function(baudrill_qt_free target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "MAY_INCLUDE")
    set_property(GLOBAL APPEND PROPERTY BAUDRILL_QT_FREE_TARGETS ${target})
    set_property(GLOBAL PROPERTY BAUDRILL_MAY_INCLUDE_${target} ${arg_MAY_INCLUDE})
endfunction()

function(baudrill_uses_qt target)
    set_property(GLOBAL APPEND PROPERTY BAUDRILL_QT_TARGETS ${target})
endfunction()

# The target's own sources as absolute paths, generated files and build output left out.
function(baudrill_project_sources target out)
    get_target_property(sources ${target} SOURCES)
    get_target_property(folder ${target} SOURCE_DIR)
    set(files)
    foreach(source ${sources})
        if(source MATCHES "\\$<")
            continue()
        endif()
        get_filename_component(path ${source} ABSOLUTE BASE_DIR ${folder})
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${path} NORMALIZE inside)
        cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${path} NORMALIZE built)
        if(inside AND NOT built)
            list(APPEND files ${path})
        endif()
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()

function(baudrill_add_qt_free_check)
    get_property(qt_free_targets GLOBAL PROPERTY BAUDRILL_QT_FREE_TARGETS)
    get_property(qt_targets GLOBAL PROPERTY BAUDRILL_QT_TARGETS)
    set(list_file ${PROJECT_BINARY_DIR}/qt_free_sources.txt)
    set(qt_list_file ${PROJECT_BINARY_DIR}/qt_sources.txt)
    set(lines)
    set(checked)
    foreach(target ${qt_free_targets})
        get_property(may_include GLOBAL PROPERTY BAUDRILL_MAY_INCLUDE_${target})
        list(JOIN may_include "," allowed)
        baudrill_project_sources(${target} files)
        foreach(file ${files})
            list(APPEND lines "${file}|${allowed}")
        endforeach()
        list(APPEND checked ${files})
    endforeach()
    list(JOIN lines "\n" text)
    file(WRITE ${list_file} "${text}\n")
    set(qt_files)
    foreach(target ${qt_targets})
        baudrill_project_sources(${target} files)
        list(APPEND qt_files ${files})
    endforeach()
    list(JOIN qt_files "\n" text)
    file(WRITE ${qt_list_file} "${text}\n")

    set(script ${PROJECT_SOURCE_DIR}/cmake/CheckQtFree.cmake)
    set(check ${CMAKE_COMMAND} -DLIST=${list_file} -DQT_LIST=${qt_list_file}
        -DROOT=${PROJECT_SOURCE_DIR} -P ${script})
    set(stamp ${PROJECT_BINARY_DIR}/qt_free_check.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${check}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${checked} ${qt_files} ${script}
        COMMENT "Qt-free folders include no Qt"
        VERBATIM)
    add_custom_target(baudrill_qt_free_check ALL DEPENDS ${stamp})

    if(BAUDRILL_TESTS)
        add_test(NAME QtFreeFolders.IncludeNoQt COMMAND ${check})
        # The check run on a header that includes Qt must say so; a check that finds nothing fails.
        set(fixture_list ${PROJECT_BINARY_DIR}/qt_free_fixture.txt)
        file(WRITE ${fixture_list} "${PROJECT_SOURCE_DIR}/tests/cmake/QtIncludeFixture.h|monitor\n")
        add_test(NAME QtFreeFolders.CheckCatchesAQtInclude
                 COMMAND ${CMAKE_COMMAND} -DLIST=${fixture_list} -DROOT=${PROJECT_SOURCE_DIR} -P ${script})
        set_tests_properties(QtFreeFolders.CheckCatchesAQtInclude PROPERTIES
            PASS_REGULAR_EXPRESSION "QtIncludeFixture.h: includes <QString>")
    endif()
endfunction()
