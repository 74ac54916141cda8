# cmake -DLIST=<file> [-DQT_LIST=<file>] -DROOT=<source folder> -P CheckQtFree.cmake
# LIST: one line per Qt-free source, "<absolute path>|<top folders it may include, by commas>".
# QT_LIST: the sources of the Qt targets, one a line. Fails with every offence found:
# a Qt header, a folder of this project its layer may not use, a header of a folder that is not
# Qt-free, and a folder that holds sources of both sides.

cmake_minimum_required(VERSION 3.25)

file(STRINGS ${LIST} entries)
set(qt_files)
if(QT_LIST)
    file(STRINGS ${QT_LIST} qt_files)
endif()

# The folders of the Qt-free sources, relative to ROOT.
set(qt_free_folders)
foreach(entry ${entries})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 file)
    file(RELATIVE_PATH relative ${ROOT} ${file})
    get_filename_component(folder ${relative} DIRECTORY)
    list(APPEND qt_free_folders ${folder})
endforeach()
list(REMOVE_DUPLICATES qt_free_folders)

set(offences)
foreach(entry ${entries})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 file)
    set(allowed)
    list(LENGTH parts count)
    if(count GREATER 1)
        list(GET parts 1 allowed)
        string(REPLACE "," ";" allowed "${allowed}")
    endif()
    file(RELATIVE_PATH relative ${ROOT} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
        if(line MATCHES "<(Q[A-Za-z0-9_]*|Qt[A-Za-z]+/[^>]*|q[a-z0-9_]+\\.h)>")
            list(APPEND offences "${relative}: includes <${CMAKE_MATCH_1}>, but its folder is Qt-free")
        elseif(line MATCHES "\"([^\"/]+)/([^\"]+)\"")
            set(top ${CMAKE_MATCH_1})
            set(header "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
            if(NOT IS_DIRECTORY ${ROOT}/${top})
                continue()  # not a folder of this project
            endif()
            get_filename_component(header_folder ${header} DIRECTORY)
            if(NOT top IN_LIST allowed)
                list(APPEND offences "${relative}: includes ${header}, which its layer may not use")
            elseif(NOT header_folder IN_LIST qt_free_folders)
                list(APPEND offences "${relative}: includes ${header}, a header of a Qt folder")
            endif()
        endif()
    endforeach()
endforeach()

foreach(file ${qt_files})
    file(RELATIVE_PATH relative ${ROOT} ${file})
    get_filename_component(folder ${relative} DIRECTORY)
    if(folder IN_LIST qt_free_folders)
        list(APPEND offences "${folder}/: holds sources of a Qt-free and of a Qt target")
    endif()
endforeach()
list(REMOVE_DUPLICATES offences)

if(offences)
    list(JOIN offences "\n" text)
    message(FATAL_ERROR "${text}")
endif()
