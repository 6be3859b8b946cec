# Installing the module as a library: libZuGUIElements.so (its soname has no version: CEGUI
# loads window renderer modules by that file name), the headers under one include root, a
# CMake package (find_package(ZuGUIElements) -> ZuGUIElements::ZuGUIElements), a pkg-config
# file and the sample skin. Components: "runtime" (library, skin) and "development".
include(CMakePackageConfigHelpers)

set(ZU_INSTALL_INCLUDE_ROOT ${CMAKE_INSTALL_INCLUDEDIR}/ZuGUIElements)
set(ZU_INSTALL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZuGUIElements)
set(ZU_INSTALL_SKIN_DIR ${CMAKE_INSTALL_DATADIR}/ZuGUIElements/skin)

install(TARGETS ZuGUIElements EXPORT ZuGUIElementsTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime)

# Only the API's headers and what they include (scripts/api-headers.py lists them when the
# install runs): the rest of the sources is the module's own.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
install(CODE "
    execute_process(COMMAND \"${Python3_EXECUTABLE}\" \"${CMAKE_SOURCE_DIR}/scripts/api-headers.py\"
                            \"${CMAKE_SOURCE_DIR}\"
                    OUTPUT_VARIABLE zu_api_headers RESULT_VARIABLE zu_api_result)
    if(NOT zu_api_result EQUAL 0)
        message(FATAL_ERROR \"scripts/api-headers.py failed\")
    endif()
    string(REPLACE \"\\n\" \";\" zu_api_headers \"\${zu_api_headers}\")
    foreach(zu_header IN LISTS zu_api_headers)
        if(zu_header STREQUAL \"\")
            continue()
        endif()
        get_filename_component(zu_header_dir \"\${zu_header}\" DIRECTORY)
        if(zu_header MATCHES \"^public/\")
            set(zu_header_source \"${CMAKE_SOURCE_DIR}/\${zu_header}\")
        else()
            set(zu_header_source \"${CMAKE_SOURCE_DIR}/gameui/\${zu_header}\")
        endif()
        file(INSTALL DESTINATION
             \"\${CMAKE_INSTALL_PREFIX}/${ZU_INSTALL_INCLUDE_ROOT}/\${zu_header_dir}\"
             TYPE FILE FILES \"\${zu_header_source}\")
    endforeach()
" COMPONENT development)

install(DIRECTORY ${ZU_SKIN_DIR}/ DESTINATION ${ZU_INSTALL_SKIN_DIR} COMPONENT runtime)

install(EXPORT ZuGUIElementsTargets NAMESPACE ZuGUIElements::
        DESTINATION ${ZU_INSTALL_CMAKE_DIR} COMPONENT development)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/ZuGUIElementsConfig.cmake.in
    ${CMAKE_BINARY_DIR}/ZuGUIElementsConfig.cmake
    INSTALL_DESTINATION ${ZU_INSTALL_CMAKE_DIR}
    PATH_VARS ZU_INSTALL_SKIN_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ZuGUIElementsConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ZuGUIElementsConfig.cmake
              ${CMAKE_BINARY_DIR}/ZuGUIElementsConfigVersion.cmake
        DESTINATION ${ZU_INSTALL_CMAKE_DIR} COMPONENT development)

# The pkg-config file finds its prefix from its own place, so that the install can move.
file(RELATIVE_PATH ZU_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ZU_PC_TO_PREFIX "${ZU_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/ZuGUIElements.pc.in
               ${CMAKE_BINARY_DIR}/ZuGUIElements.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ZuGUIElements.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# `make package`: Debian packages of both components.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zuguielements)
set(CPACK_PACKAGE_VENDOR "ZuGUIElements developers")
set(CPACK_PACKAGE_CONTACT "ZuGUIElements developers <maintainers@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Game widgets for the CEGUI 0.8 user-interface library")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME zuguielements)
# The library's shared-library dependencies come from dpkg-shlibdeps (dpkg-dev); it finds the
# Falagard renderer set through the library's run path. Written by hand only what it cannot
# see: the data the sample skin loads (TaharezLook's imagery and looks, the DejaVu fonts).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libcegui-mk2-data (>= 0.8.7), fonts-cegui")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME zuguielements-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "zuguielements (= ${PROJECT_VERSION}), libcegui-mk2-dev (>= 0.8.7), pkg-config")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "The ZuGUIElements module (window types and renderers) and its sample skin")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "Headers, CMake package and pkg-config file of ZuGUIElements")
include(CPack)
