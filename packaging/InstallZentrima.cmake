# Install-time part of the installation (see CMakeLists.txt here): writes the launchers
# and the desktop entry for the prefix being installed to. Reads ZENTRIMA_PROGRAM_DIR,
# ZENTRIMA_INSTALL_REGISTRY and ZENTRIMA_PACKAGING_DIR, set just before it runs.
include("${ZENTRIMA_PACKAGING_DIR}/InstallPaths.cmake")

# Text for inside single quotes in a shell script.
function(shell_single_quoted out text)
    string(REPLACE "'" "'\\''" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text for inside double quotes in a shell script.
function(shell_double_quoted out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "$" "\\$" text "${text}")
    string(REPLACE "`" "\\`" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A file written here rather than copied by install(): listed in the install manifest too.
function(write_installed path)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${path}")
    set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
    message(STATUS "Installing: ${stage}${path}")
endfunction()

# Launchers on PATH.
set(LAUNCHER_REGISTRY "")
if(NOT registry STREQUAL system_registry)
    shell_double_quoted(quoted "${registry}")
    set(LAUNCHER_REGISTRY
        ": \"\${ZENTRIMA_MACHINE_INI:=${quoted}}\"\nexport ZENTRIMA_MACHINE_INI\n")
endif()
foreach(LAUNCHER_NAME zentrima zentrima-cli zentrima-graph)
    shell_single_quoted(LAUNCHER_TARGET "${program_dir}/${LAUNCHER_NAME}")
    set(launcher "${prefix}/bin/${LAUNCHER_NAME}")
    configure_file("${ZENTRIMA_PACKAGING_DIR}/launcher.in" "${stage}${launcher}" @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                         WORLD_READ WORLD_EXECUTE)
    write_installed("${launcher}")
endforeach()

# The desktop entry starts the launcher, so a per-user install finds its registration.
set(DESKTOP_TRY_EXEC "${prefix}/bin/zentrima")
string(REPLACE "\\" "\\\\\\\\" exec "${DESKTOP_TRY_EXEC}")
string(REPLACE "\"" "\\\\\"" exec "${exec}")
string(REPLACE "$" "\\\\$" exec "${exec}")
string(REPLACE "`" "\\\\`" exec "${exec}")
set(DESKTOP_EXEC "\"${exec}\"")
set(desktop "${prefix}/share/applications/zentrima.desktop")
configure_file("${ZENTRIMA_PACKAGING_DIR}/zentrima.desktop.in" "${stage}${desktop}" @ONLY)
write_installed("${desktop}")
