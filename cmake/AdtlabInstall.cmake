# The exported CMake package: find_package(adtlab CONFIG REQUIRED) gives an
# outside project the adtlab::<module> targets.

include(CMakePackageConfigHelpers)

set(ADTLAB_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/adtlab)

install(EXPORT adtlabTargets NAMESPACE adtlab:: DESTINATION ${ADTLAB_CMAKE_DIR})

configure_package_config_file(cmake/adtlabConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/adtlabConfig.cmake
                              INSTALL_DESTINATION ${ADTLAB_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/adtlabConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/adtlabConfig.cmake
              ${PROJECT_BINARY_DIR}/adtlabConfigVersion.cmake
        DESTINATION ${ADTLAB_CMAKE_DIR})

# The suppressions for valgrind and LeakSanitizer: memory the programs hold on
# purpose until the process ends.
install(FILES suppressions/valgrind.supp suppressions/lsan.supp
        DESTINATION ${CMAKE_INSTALL_DATADIR}/adtlab)
