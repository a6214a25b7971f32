# SPDX-License-Identifier: GPL-3.0-or-later
#
# keypad_add_shared_library(<name> ALIAS <namespace::name> EXPORT_BASE <base>
#                           SOURCES <files...>)
#
# One of the project's shared libraries: its export header
# (<base>_export.h in the build folder, EXPORT macro <BASE>_EXPORT), its
# folder and that build folder on the include path of its users, a
# versioned SONAME (lib<name>.so.<major>: the program records the major
# version) and only the run-time library installed (no headers, no
# development symlink). Users link the alias, so a misspelt name fails when
# CMake runs rather than when linking.
function(keypad_add_shared_library name)
    cmake_parse_arguments(ARG "" "ALIAS;EXPORT_BASE" "SOURCES" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES})
    add_library(${ARG_ALIAS} ALIAS ${name})
    generate_export_header(${name} BASE_NAME ${ARG_EXPORT_BASE}
                           EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/${ARG_EXPORT_BASE}_export.h)
    target_include_directories(${name} PUBLIC
        $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
        $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}>)
    set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
    install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_SKIP)
endfunction()

# keypad_add_static_library(<name> ALIAS <namespace::name> SOURCES <files...>)
#
# A static library that shared libraries may link in as well as the
# program (so built position independent), with its folder on the include
# path of its users. Users link the alias, as for the shared libraries.
function(keypad_add_static_library name)
    cmake_parse_arguments(ARG "" "ALIAS" "SOURCES" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    add_library(${ARG_ALIAS} ALIAS ${name})
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>)
endfunction()
