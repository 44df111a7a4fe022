# What `cmake --install` puts where, and the packages `cpack` makes of it:
# on Linux a Debian package of moniquet-cli, with its manual page and bash
# completion, and libmoniquet-dev of the library (component dev,
# library.cmake); on Windows a zip of both programs with the library beside
# them. Tests, benchmarks, fuzzers and the end-to-end helpers are never
# installed.
include(GNUInstallDirs)

if(WIN32)
    # Nothing to install into on Windows: the programs and their notes sit
    # side by side in one folder the user unpacks anywhere.
    set(MONIQUET_PROGRAM_DIR .)
    set(MONIQUET_DOC_DIR .)
    install(TARGETS Moniquet moniquet-cli RUNTIME DESTINATION ${MONIQUET_PROGRAM_DIR})
    install(FILES README.md LICENSE THIRD-PARTY.md DESTINATION ${MONIQUET_DOC_DIR})
else()
    set(MONIQUET_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
    # Named after the package, as Debian's policy asks; the licences are in
    # its machine-readable copyright file.
    set(MONIQUET_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/moniquet-cli)
    install(TARGETS moniquet-cli RUNTIME DESTINATION ${MONIQUET_PROGRAM_DIR})
    install(FILES README.md THIRD-PARTY.md cmake/debian/copyright
            DESTINATION ${MONIQUET_DOC_DIR})
    # Debian keeps manual pages and changelogs compressed, with no time stamp
    # in the gzip header so that the package builds the same every time.
    set(MONIQUET_COMPRESSED ${PROJECT_BINARY_DIR}/compressed)
    add_custom_command(
        OUTPUT ${MONIQUET_COMPRESSED}/moniquet-cli.1.gz ${MONIQUET_COMPRESSED}/changelog.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${MONIQUET_COMPRESSED}
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/cli/moniquet-cli.1
                > ${MONIQUET_COMPRESSED}/moniquet-cli.1.gz
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/cmake/debian/changelog
                > ${MONIQUET_COMPRESSED}/changelog.gz
        DEPENDS cli/moniquet-cli.1 cmake/debian/changelog
        VERBATIM)
    add_custom_target(moniquet_compressed_docs ALL
        DEPENDS ${MONIQUET_COMPRESSED}/moniquet-cli.1.gz ${MONIQUET_COMPRESSED}/changelog.gz)
    # Built with the program, so that building only moniquet-cli before
    # `cmake --install` is enough.
    add_dependencies(moniquet-cli moniquet_compressed_docs)
    install(FILES ${MONIQUET_COMPRESSED}/moniquet-cli.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${MONIQUET_COMPRESSED}/changelog.gz DESTINATION ${MONIQUET_DOC_DIR})
    install(FILES cli/moniquet-cli.bash-completion
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
            RENAME moniquet-cli)
    # Debian wants the notes of every package under its own name, however
    # little else it holds; the licences matter here too, as the static
    # libraries end up inside their users' programs.
    install(FILES cmake/debian/copyright ${MONIQUET_COMPRESSED}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libmoniquet-dev
            COMPONENT dev EXCLUDE_FROM_ALL)
    # The libraries alone, built for `cmake --install --component dev`,
    # must find the changelog made too.
    add_dependencies(moniquet_edid_info moniquet_compressed_docs)
endif()

# What fleets run the program with (README, "Fleets"). The Windows custom
# fact goes into the Debian package too, for a Linux controller to deploy.
if(WIN32)
    set(MONIQUET_ANSIBLE_DIR ansible)
else()
    set(MONIQUET_ANSIBLE_DIR ${CMAKE_INSTALL_DATAROOTDIR}/moniquet/ansible)
    install(PROGRAMS contrib/ansible/moniquet.fact DESTINATION ${MONIQUET_ANSIBLE_DIR})
    # No maintainer script enables them: the timer waits for the admin.
    install(FILES contrib/systemd/moniquet-textfile.service contrib/systemd/moniquet-textfile.timer
            DESTINATION lib/systemd/system)
endif()
install(FILES contrib/ansible/moniquet.ps1 DESTINATION ${MONIQUET_ANSIBLE_DIR})

# The JSON Schemas of info --json and list --json, for the readers of both.
if(WIN32)
    set(MONIQUET_SCHEMA_DIR schema)
else()
    set(MONIQUET_SCHEMA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/moniquet/schema)
endif()
install(FILES schema/info.schema.json schema/list.schema.json DESTINATION ${MONIQUET_SCHEMA_DIR})

if(WIN32)
    # The programs carry the mingw-w64 runtime, linked statically; some of its
    # files ask for their notices to go with the binaries.
    set(MONIQUET_MINGW_COPYRIGHT /usr/share/doc/mingw-w64-x86-64-dev/copyright
        CACHE FILEPATH "The mingw-w64 runtime's copyright file, shipped beside the programs")
    if(EXISTS ${MONIQUET_MINGW_COPYRIGHT})
        install(FILES ${MONIQUET_MINGW_COPYRIGHT} DESTINATION ${MONIQUET_DOC_DIR}
                RENAME MINGW-W64-COPYRIGHT.txt)
    else()
        message(WARNING "No mingw-w64 copyright file at ${MONIQUET_MINGW_COPYRIGHT}: "
                        "the zip will lack the runtime's notices")
    endif()
endif()

set(CPACK_PACKAGE_VENDOR "the Moniquet developers")
# The Maintainer field of the Debian package; a packager gives their own with
# -DCPACK_PACKAGE_CONTACT="Name <address>".
if(NOT CPACK_PACKAGE_CONTACT)
    set(CPACK_PACKAGE_CONTACT "The Moniquet developers <moniquet@example.org>")
endif()
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

# The programs' files are in CMake's unnamed component, which it calls
# Unspecified; the library is component dev.
set(CPACK_COMPONENTS_ALL Unspecified dev)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME Moniquet)
    # CPack names only MSVC's 64-bit builds win64.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(CPACK_SYSTEM_NAME win64)
    endif()
    # Without component installation CPack leaves out dev, which a plain
    # install skips; with it, one zip of both, in one folder as before.
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME moniquet-cli)
    # One package for each component, the programs' keeping the name and
    # file name they had before the library had a package.
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME moniquet-cli)
    set(CPACK_DEBIAN_DEV_PACKAGE_NAME libmoniquet-dev)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # Both packages come from this one tree, whose changelog they carry.
    set(CPACK_DEBIAN_DEV_PACKAGE_SOURCE moniquet-cli)
    # CPack would put one summary, CPACK_PACKAGE_DESCRIPTION_SUMMARY, over
    # both descriptions: each starts with its own instead.
    set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION
        "shows what every monitor reports in its EDID
moniquet-cli decodes a monitor's EDID, from a file or from hex text
as xrandr, xxd or edid-decode print it: maker and model, serial number,
date, validity of every block, detailed timings with refresh rates, range
limits, CTA-861 video modes and HDR, as text or JSON. It lists this
machine's monitors from the kernel's DRM connectors and saves a monitor's
whole EDID to a file, and writes them as metrics for Prometheus's
textfile collectors (a systemd timer, disabled, is included) or as an
Ansible custom fact.")
    set(CPACK_DEBIAN_DEV_DESCRIPTION
        "EDID decoder library of moniquet-cli - development files
The decoder behind moniquet-cli as a C++20 library for other programs:
one call takes an EDID's bytes and gives the decoded EDID, every block
field by field, and the rules it breaks. An optional part writes what
moniquet-cli info prints, as text or JSON.
.
This package holds the headers, the static libraries, a CMake package
(find_package(Moniquet)) and a pkg-config file (moniquet).")
    # The libraries the program links, as dpkg-shlibdeps finds them.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
