# Installs the files that git tracks in adtlab_source_dir into
# adtlab_source_destination, for adtlab-gradescope-bundle to put in its zip.
find_program(adtlab_git git)
if(NOT adtlab_git OR NOT EXISTS "${adtlab_source_dir}/.git")
    message(STATUS "Not installing the sources: ${adtlab_source_dir} is not a git checkout")
    return()
endif()
execute_process(COMMAND "${adtlab_git}" -C "${adtlab_source_dir}" -c core.quotepath=off ls-files
                OUTPUT_VARIABLE tracked RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "git ls-files failed in ${adtlab_source_dir}")
endif()
string(REPLACE "\n" ";" tracked "${tracked}") # its file names hold no ';'
foreach(file IN LISTS tracked)
    if(file STREQUAL "" OR NOT EXISTS "${adtlab_source_dir}/${file}")
        continue() # deleted from the working tree
    endif()
    get_filename_component(folder "${file}" DIRECTORY)
    file(INSTALL "${adtlab_source_dir}/${file}" DESTINATION "${adtlab_source_destination}/${folder}"
         USE_SOURCE_PERMISSIONS MESSAGE_NEVER)
endforeach()
