# The Debian package, made by CPack from this build (scripts/package.sh):
#   cpack --config <build>/CPackConfig.cmake -G DEB
# It installs to /usr everything `cmake --install` puts under a prefix, plus the Debian
# copyright and changelog, and registers the graph viewer in its maintainer scripts (the
# install rules' "registration" component is left out; see CMakeLists.txt here).

# The registration the maintainer scripts write and take out again, from the same key the
# install rules use.
set(SYSTEM_REGISTRY "/etc/xdg/Veldrine Software/machine.ini")
set(VIEWER_KEY "${viewer_key}")
set(VIEWER_ENTRY "@=\"/usr/${program_dir}/zentrima-graph\" \"%1\"")
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/debian/registry.sh registry_functions)
string(CONFIGURE "${registry_functions}" REGISTRY_FUNCTIONS @ONLY)
set(control_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
foreach(script postinst prerm)
    configure_file(debian/${script}.in ${control_dir}/${script} @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                         WORLD_READ WORLD_EXECUTE)
endforeach()

# The copyright file carries the license agreement of the help book, as plain text.
file(READ ${PROJECT_SOURCE_DIR}/resources/help/license.htm license)
string(REGEX REPLACE ".*<body>\n(.*)</body>.*" "\\1" license "${license}")
string(REGEX REPLACE "<[^>]*>" "" license "${license}")
string(REPLACE "&copy;" "(C)" license "${license}")
string(REPLACE "&quot;" "\"" license "${license}")
string(REPLACE "&amp;" "&" license "${license}")
string(REGEX REPLACE "\n\n+" "\n\n" license "${license}")
file(WRITE ${control_dir}/copyright "Copyright (C) 1995-2004 Veldrine Software, Inc.\n\n${license}")
install(FILES ${control_dir}/copyright DESTINATION share/doc/zentrima
    COMPONENT debian EXCLUDE_FROM_ALL)
add_custom_command(OUTPUT ${control_dir}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog
            ${control_dir}/changelog
    COMMAND gzip -9nf ${control_dir}/changelog
    DEPENDS debian/changelog VERBATIM)
add_custom_target(zentrima_debian_changelog ALL DEPENDS ${control_dir}/changelog.gz)
install(FILES ${control_dir}/changelog.gz DESTINATION share/doc/zentrima
    COMPONENT debian EXCLUDE_FROM_ALL)

# Reproducible packages: cpack stamps the archives with SOURCE_DATE_EPOCH when it is in
# cpack's own environment (a value set from a CPack project file comes too late), so
# scripts/package.sh exports the release's date from the change log before it runs cpack.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentrima)
set(CPACK_PACKAGE_VERSION 2.00)
set(CPACK_PACKAGE_VENDOR "Veldrine Software")
set(CPACK_PACKAGE_CONTACT "Veldrine Software <support@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of statistical power and sample size")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentrima tabulates the tradeoff between sample size, power and the
smallest effect an experiment can detect, and explains any cell of that
table in plain sentences: the sample size of a future experiment or the
power of a completed one, for unpaired, paired and one-sample t tests,
one-way ANOVA, two survival curves (logrank test) and two proportions
(chi-square test).

The package holds the desktop program (zentrima), a command-line tool
that prints the same tables and reports for scripts (zentrima-cli) and
the graph viewer the desktop program draws its tables with
(zentrima-graph).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only what belongs in the package: the registration is the maintainer scripts' job.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL programs debian)
set(CPACK_DEBIAN_PACKAGE_NAME zentrima)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The pages ask for Arial; Liberation Sans has its measures. To Word opens LibreOffice Writer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS libreoffice-writer)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${control_dir}/postinst ${control_dir}/prerm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
