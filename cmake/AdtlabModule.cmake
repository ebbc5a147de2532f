# Helpers shared by every module of the project.

include(GNUInstallDirs)

option(ADTLAB_WERROR "Turn compiler warnings into errors" OFF)

# Counting goes through calls from sorting into ordtally, which only
# interprocedural optimisation can inline, so optimised builds (Release,
# RelWithDebInfo, MinSizeRel) use it by default where the compiler can keep fat
# LTO objects: machine code beside the LTO bytecode, archived by gcc-ar, so
# that a driver compiled without LTO still links the libraries and one
# compiled with -flto inlines the counting. That is gcc; clang 14 writes
# bytecode alone, which only an LTO link could read, so it stays off there.
option(ADTLAB_IPO "Link-time optimisation in optimised builds (gcc)" ON)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(CMAKE_C_COMPILE_OPTIONS_IPO -flto=auto -ffat-lto-objects)
    set(CMAKE_CXX_COMPILE_OPTIONS_IPO -flto=auto -ffat-lto-objects)
    if(ADTLAB_IPO)
        include(CheckIPOSupported)
        check_ipo_supported(RESULT adtlab_ipo_supported OUTPUT adtlab_ipo_error LANGUAGES C CXX)
        if(adtlab_ipo_supported)
            foreach(config RELEASE RELWITHDEBINFO MINSIZEREL)
                if(NOT DEFINED CMAKE_INTERPROCEDURAL_OPTIMIZATION_${config})
                    set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_${config} ON)
                endif()
            endforeach()
        else()
            message(STATUS "adtlab: no link-time optimisation: ${adtlab_ipo_error}")
        endif()
    endif()
endif()

macro(adtlab_strip_ndebug)
    foreach(lang C CXX)
        foreach(config RELEASE RELWITHDEBINFO MINSIZEREL)
            string(REPLACE "-DNDEBUG" "" CMAKE_${lang}_FLAGS_${config}
                           "${CMAKE_${lang}_FLAGS_${config}}")
        endforeach()
    endforeach()
endmacro()

function(adtlab_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                                             $<$<BOOL:${ADTLAB_WERROR}>:-Werror>)
endfunction()

# adtlab_stage_headers(ROOT_VAR TARGET hdr...)
#
# Copies the headers of the current folder to
# ${PROJECT_BINARY_DIR}/include/TARGET/<folder>/, and sets ROOT_VAR to that
# include root and ROOT_VAR_FILES to the copies. On a target's include path
# the root gives its own headers at the path they have in the tree, as
# "folder/header.h", and nothing else of the tree. The copies are made again
# whenever a header changes; edit the originals.
function(adtlab_stage_headers root_var target)
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(copies "")
    foreach(header IN LISTS ARGN)
        configure_file(${header} ${root}/${folder}/${header} COPYONLY)
        list(APPEND copies ${root}/${folder}/${header})
    endforeach()
    set(${root_var} ${root} PARENT_SCOPE)
    set(${root_var}_FILES ${copies} PARENT_SCOPE)
endfunction()

# adtlab_add_library(NAME SOURCES src... HEADERS hdr... [LINKS lib...])
#
# A static library with the alias adtlab::NAME. Its headers are installed under
# include/ at the same path they have in the tree, so drivers write
# #include "NAME/NAME.h" against the build tree and the install alike; in the
# build tree its include path holds those headers alone, staged.
# The libraries are compiled without exceptions so that a plain C driver links
# them without the C++ runtime.
function(adtlab_add_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;HEADERS;LINKS")
    add_library(${name} STATIC ${arg_SOURCES})
    add_library(adtlab::${name} ALIAS ${name})
    adtlab_stage_headers(staged ${name} ${arg_HEADERS})
    target_sources(${name} PUBLIC FILE_SET HEADERS BASE_DIRS ${staged} FILES ${staged_FILES})
    target_link_libraries(${name} PUBLIC ${arg_LINKS})
    target_compile_options(${name} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
    adtlab_warnings(${name})
    install(TARGETS ${name} EXPORT adtlabTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
            FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    set_property(GLOBAL APPEND PROPERTY ADTLAB_LIBRARIES ${name})
    adtlab_pkg_config(${name} ${arg_LINKS})
endfunction()

# Installs lib/pkgconfig/adtlab-NAME.pc, so that a make-based driver builds
# with $(pkg-config --cflags --libs adtlab-NAME). It finds its prefix from
# its own place, so the prefix can move.
function(adtlab_pkg_config name)
    set(ADTLAB_PC_NAME ${name})
    set(ADTLAB_PC_REQUIRES "")
    foreach(link IN LISTS ARGN)
        string(REPLACE "adtlab::" "adtlab-" required ${link})
        list(APPEND ADTLAB_PC_REQUIRES ${required})
    endforeach()
    string(REPLACE ";" ", " ADTLAB_PC_REQUIRES "${ADTLAB_PC_REQUIRES}")
    set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
    file(RELATIVE_PATH ADTLAB_PC_TO_PREFIX /prefix/${pc_dir} /prefix)
    string(REGEX REPLACE "/$" "" ADTLAB_PC_TO_PREFIX "${ADTLAB_PC_TO_PREFIX}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/module.pc.in
                   ${PROJECT_BINARY_DIR}/pkgconfig/adtlab-${name}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/adtlab-${name}.pc DESTINATION ${pc_dir})
endfunction()

# adtlab_add_program(NAME SOURCES src... [LINKS lib...] [OUTPUT_NAME n] [DESTINATION dir])
function(adtlab_add_program name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT_NAME;DESTINATION" "SOURCES;LINKS")
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LINKS})
    adtlab_warnings(${name})
    if(arg_OUTPUT_NAME)
        set_target_properties(${name} PROPERTIES OUTPUT_NAME ${arg_OUTPUT_NAME})
    endif()
    if(NOT arg_DESTINATION)
        set(arg_DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
    install(TARGETS ${name} RUNTIME DESTINATION ${arg_DESTINATION})
endfunction()
