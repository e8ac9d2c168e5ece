# Where an install goes (see CMakeLists.txt here), shared by the install-time scripts: the
# prefix, the staging folder, the program folder and the registry file the graph viewer is
# registered in. Reads ZENTRIMA_PROGRAM_DIR and ZENTRIMA_INSTALL_REGISTRY.
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

