# Install-time part of the installation (see CMakeLists.txt here): writes the launchers
# and the desktop entry for the prefix being installed to, and registers the graph viewer
# so that the Graph command finds it. Reads ZENTRIMA_PROGRAM_DIR, ZENTRIMA_INSTALL_REGISTRY
# and ZENTRIMA_PACKAGING_DIR, set just before it runs.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(stage "$ENV{DESTDIR}")
set(program_dir "${prefix}/${ZENTRIMA_PROGRAM_DIR}")
set(system_registry "/etc/xdg/Veldrine Software/machine.ini")

# An install under the home folder is one user's: the registration goes into that user's
# configuration, and the launchers tell the programs where it is.
set(home "$ENV{HOME}")
set(per_user FALSE)
if(home AND NOT home STREQUAL "/")
    string(FIND "${prefix}/" "${home}/" at)
    if(at EQUAL 0)
        set(per_user TRUE)
    endif()
endif()
if(ZENTRIMA_INSTALL_REGISTRY)
    set(registry "${ZENTRIMA_INSTALL_REGISTRY}")
elseif(per_user)
    set(config "$ENV{XDG_CONFIG_HOME}")
    if(NOT config)
        set(config "${home}/.config")
    endif()
    set(registry "${config}/Veldrine Software/machine.ini")
else()
    set(registry "${system_registry}")
endif()

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

# The registration of the graph viewer as the open command of graph documents. Other
# entries of the file are kept; an earlier registration of the viewer is replaced.
set(key "${ZENTRIMA_VIEWER_KEY}")
set(entry "${key}\n@=\"${program_dir}/zentrima-graph\" \"%1\"\n")
set(content "")
if(EXISTS "${stage}${registry}")
    file(READ "${stage}${registry}" content)
endif()
string(TOLOWER "${content}" lower)
string(TOLOWER "${key}" lower_key)
string(FIND "${lower}" "${lower_key}" start)
if(start GREATER_EQUAL 0)
    string(SUBSTRING "${content}" 0 ${start} before)
    string(SUBSTRING "${content}" ${start} -1 rest)
    string(LENGTH "${key}" key_length)
    string(SUBSTRING "${rest}" ${key_length} -1 rest)
    string(FIND "${rest}" "\n[" next)
    if(next GREATER_EQUAL 0)
        math(EXPR next "${next} + 1")
        string(SUBSTRING "${rest}" ${next} -1 after)
    else()
        set(after "")
    endif()
    set(content "${before}${after}")
endif()
if(content AND NOT content MATCHES "\n$")
    string(APPEND content "\n")
endif()
string(APPEND content "${entry}")
get_filename_component(registry_dir "${stage}${registry}" DIRECTORY)
file(MAKE_DIRECTORY "${registry_dir}")
file(WRITE "${stage}${registry}" "${content}")
message(STATUS "Registered the graph viewer in ${stage}${registry}")
