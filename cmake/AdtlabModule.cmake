# Helpers shared by every module of the project.

include(GNUInstallDirs)

option(ADTLAB_WERROR "Turn compiler warnings into errors" OFF)

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

# adtlab_add_library(NAME SOURCES src... HEADERS hdr... [LINKS lib...])
#
# A static library with the alias adtlab::NAME. Its headers are installed under
# include/ at the same path they have in the tree, so drivers write
# #include "NAME/NAME.h" against the build tree and the install alike.
# The libraries are compiled without exceptions so that a plain C driver links
# them without the C++ runtime.
function(adtlab_add_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;HEADERS;LINKS")
    add_library(${name} STATIC ${arg_SOURCES})
    add_library(adtlab::${name} ALIAS ${name})
    target_sources(${name} PUBLIC FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR}
                                  FILES ${arg_HEADERS})
    target_link_libraries(${name} PUBLIC ${arg_LINKS})
    target_compile_options(${name} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
    adtlab_warnings(${name})
    install(TARGETS ${name} EXPORT adtlabTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
            FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    set_property(GLOBAL APPEND PROPERTY ADTLAB_LIBRARIES ${name})
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
