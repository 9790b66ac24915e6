# Folders are layers: each folder is built as its own libraries, and a library sees only the
# headers of its own folder and of the libraries it links. Every folder has an include root
# of its own (a folder in the build tree holding one link to the source folder), so
# "lists/entry_table.h" is found only by code that links the lists; an include that points
# up the layers fails to build.

# Sets `out` to the include root that shows only `folder`.
function(vantrel_folder_root folder out)
    set(root ${CMAKE_BINARY_DIR}/include_roots/${folder})
    if(NOT EXISTS ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# vantrel_folder_library(name FOLDER folder [QT] SOURCES ... LINKS ...)
# A static library of `folder`'s files that links (publicly) the libraries below it.
# QT: a window-side library (moc and resources); the others never see Qt.
function(vantrel_folder_library name)
    cmake_parse_arguments(arg "QT" "FOLDER" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${arg_SOURCES})
    vantrel_folder_root(${arg_FOLDER} root)
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${arg_LINKS})
    if(arg_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
    set_property(GLOBAL APPEND PROPERTY VANTREL_FOLDER_LIBRARIES ${name})
endfunction()
