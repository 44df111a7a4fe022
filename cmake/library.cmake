# The decoder as a library for other programs: `cmake --install BUILD
# --component dev` puts the public headers (include/moniquet), the static
# libraries, a CMake package (find_package(Moniquet), target
# Moniquet::moniquet and Moniquet::json) and a pkg-config file (moniquet.pc). Not part of the
# programs' packages: the component is left out of a plain install.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Debian keeps libraries by architecture (lib/x86_64-linux-gnu), where its
# cross compilers' pkg-config looks, and libmoniquet-dev must too; GNUInstallDirs
# chooses that only for the prefix /usr, and the package is made from a build
# configured for /usr/local. Where the compiler names no architecture (other
# distributions, mingw) the usual lib.
if(NOT WIN32 AND CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_LIBDIR STREQUAL "lib")
    set(MONIQUET_LIBDIR_DEFAULT lib/${CMAKE_LIBRARY_ARCHITECTURE})
else()
    set(MONIQUET_LIBDIR_DEFAULT ${CMAKE_INSTALL_LIBDIR})
endif()
set(MONIQUET_LIBDIR ${MONIQUET_LIBDIR_DEFAULT} CACHE PATH
    "Where the library's archives, CMake package and moniquet.pc go, below the prefix")

# Moniquet::moniquet is the whole decoder; Moniquet::json, optional, writes
# what `info` shows of it; the two others are what the decoder is built on
# (the dialog's decoder and the makers' names), linked with it.
set_target_properties(moniquet_edid_info PROPERTIES EXPORT_NAME moniquet)
set_target_properties(moniquet_json PROPERTIES EXPORT_NAME json)
set_target_properties(moniquet_edid PROPERTIES EXPORT_NAME report)
set_target_properties(moniquet_makers PROPERTIES EXPORT_NAME makers)
foreach(library moniquet_json moniquet_edid_info moniquet_edid moniquet_makers)
    target_include_directories(${library} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    # Callers build with C++20 (std::span in every signature).
    target_compile_features(${library} INTERFACE cxx_std_20)
endforeach()

install(TARGETS moniquet_json moniquet_edid_info moniquet_edid moniquet_makers
        EXPORT MoniquetTargets
        ARCHIVE DESTINATION ${MONIQUET_LIBDIR} COMPONENT dev EXCLUDE_FROM_ALL)
install(DIRECTORY include/moniquet DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT dev EXCLUDE_FROM_ALL)
set(MONIQUET_CMAKE_DIR ${MONIQUET_LIBDIR}/cmake/Moniquet)
install(EXPORT MoniquetTargets NAMESPACE Moniquet:: DESTINATION ${MONIQUET_CMAKE_DIR}
        COMPONENT dev EXCLUDE_FROM_ALL)
configure_package_config_file(cmake/MoniquetConfig.cmake.in
    ${PROJECT_BINARY_DIR}/MoniquetConfig.cmake INSTALL_DESTINATION ${MONIQUET_CMAKE_DIR})
# 1.x releases keep the API: a caller built against 1.2 builds against 1.5.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/MoniquetConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/MoniquetConfig.cmake
              ${PROJECT_BINARY_DIR}/MoniquetConfigVersion.cmake
        DESTINATION ${MONIQUET_CMAKE_DIR} COMPONENT dev EXCLUDE_FROM_ALL)
# The prefix as seen from the .pc file's folder, so that the files work
# wherever they are unpacked.
file(RELATIVE_PATH MONIQUET_PC_TO_PREFIX /prefix/${MONIQUET_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" MONIQUET_PC_TO_PREFIX "${MONIQUET_PC_TO_PREFIX}")
configure_file(cmake/moniquet.pc.in ${PROJECT_BINARY_DIR}/moniquet.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/moniquet.pc DESTINATION ${MONIQUET_LIBDIR}/pkgconfig
        COMPONENT dev EXCLUDE_FROM_ALL)
