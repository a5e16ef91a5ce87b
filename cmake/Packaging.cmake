# Installation and packages.
#
# Quillset runs from a program folder: the executable and the window module
# it loads (quillset-window.so), with language.lng (the German texts),
# language.en.lng and the visual-style manifest beside them. The program
# finds them through its own folder, so the folder can lie anywhere, also
# inside a game folder as a portable copy.
#
# Two install components lay out that folder:
#   portable  the folder itself at the install prefix. The default install
#             (`cmake --install build --prefix DIR`) and the .tar.gz. It
#             stays the five files of the folder, which users copy into a
#             game folder; a manual page or a completion there would be
#             found by neither man nor bash.
#   system    the Debian layout below the prefix "/": the folder as
#             /usr/lib/quillset (where Debian keeps a program's private
#             files), /usr/bin/quillset linking to it, the manual page, the
#             bash completion, the copyright file and changelog, the desktop
#             entry, the icons and the AppStream metadata. Only the .deb and
#             `cmake --install build --component system --prefix /` (or with
#             DESTDIR) install it.
#
# Packages: `cpack --config build/CPackConfig.cmake` (see scripts/package.sh).

include_guard(GLOBAL)

set(QUILLSET_APP_ID org.example.quillset)
set(QUILLSET_SYSTEM_PROGRAM_DIR usr/lib/quillset)

set(_quillset_resources ${PROJECT_SOURCE_DIR}/resources)
set(_quillset_desktop ${_quillset_resources}/desktop)
set(_quillset_debian ${_quillset_resources}/debian)
set(_quillset_staging ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_quillset_staging})

# The program folder, at `destination`, as part of `component`; further
# arguments (EXCLUDE_FROM_ALL) go to every rule.
function(quillset_install_program_folder destination component)
    install(TARGETS quillset quillset_window
            RUNTIME DESTINATION ${destination} COMPONENT ${component} ${ARGN}
            LIBRARY DESTINATION ${destination} COMPONENT ${component} ${ARGN})
    install(FILES ${_quillset_resources}/lang/language.de.lng
            DESTINATION ${destination} RENAME language.lng COMPONENT ${component} ${ARGN})
    install(FILES ${_quillset_resources}/lang/language.en.lng
                  ${_quillset_desktop}/Quillset.exe.Manifest
            DESTINATION ${destination} COMPONENT ${component} ${ARGN})
endfunction()

quillset_install_program_folder(. portable)
quillset_install_program_folder(${QUILLSET_SYSTEM_PROGRAM_DIR} system EXCLUDE_FROM_ALL)

# /usr/bin/quillset: a relative link within /usr, as Debian wants it. The
# program resolves it and still finds its files in /usr/lib/quillset.
set(_quillset_link ${_quillset_staging}/quillset)
file(REMOVE ${_quillset_link})
file(CREATE_LINK ../lib/quillset/quillset ${_quillset_link} SYMBOLIC)
install(FILES ${_quillset_link} DESTINATION usr/bin COMPONENT system EXCLUDE_FROM_ALL)

# The manual page and the changelog are installed compressed, as Debian
# wants them: gzip -9 without name or time stamp, so the same source gives
# the same bytes. Made when CMake configures, and again when a source changes.
find_program(QUILLSET_GZIP gzip REQUIRED)
function(quillset_gzip source output)
    execute_process(COMMAND ${QUILLSET_GZIP} -9 -n -c INPUT_FILE ${source} OUTPUT_FILE ${output}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${source}: ${result}")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

# The changelog is the package's history, so its latest entry must be the
# version being packed: a bump of the project version needs an entry.
file(STRINGS ${_quillset_debian}/changelog _quillset_changelog_top LIMIT_COUNT 1)
if(NOT _quillset_changelog_top MATCHES "^quillset \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "resources/debian/changelog must begin with an entry for ${PROJECT_VERSION}")
endif()

quillset_gzip(${_quillset_resources}/cli/quillset.1 ${_quillset_staging}/quillset.1.gz)
quillset_gzip(${_quillset_debian}/changelog ${_quillset_staging}/changelog.gz)
install(FILES ${_quillset_staging}/quillset.1.gz
        DESTINATION usr/share/man/man1 COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_quillset_resources}/cli/quillset.bash-completion
        DESTINATION usr/share/bash-completion/completions RENAME quillset
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_quillset_debian}/copyright ${_quillset_staging}/changelog.gz
        DESTINATION usr/share/doc/quillset COMPONENT system EXCLUDE_FROM_ALL)

install(FILES ${_quillset_desktop}/${QUILLSET_APP_ID}.desktop
        DESTINATION usr/share/applications COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_quillset_desktop}/${QUILLSET_APP_ID}.metainfo.xml
        DESTINATION usr/share/metainfo COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_quillset_desktop}/${QUILLSET_APP_ID}.svg
        DESTINATION usr/share/icons/hicolor/scalable/apps COMPONENT system EXCLUDE_FROM_ALL)
foreach(size 48x48 128x128 256x256)
    install(FILES ${_quillset_desktop}/icons/${size}/${QUILLSET_APP_ID}.png
            DESTINATION usr/share/icons/hicolor/${size}/apps COMPONENT system EXCLUDE_FROM_ALL)
endforeach()

# --- CPack -------------------------------------------------------------------

set(CPACK_PACKAGE_NAME quillset)
set(CPACK_PACKAGE_VENDOR "The Quillset developers")
set(CPACK_PACKAGE_CONTACT "The Quillset developers <quillset@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quillset.example.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor for the options of the game Korrin and its Deepfall expansion")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quillset shows every option of Korrin and Deepfall on one window and\n"
    "writes the game's settings.cfg back safely, keeping the lines it does\n"
    "not know. It keeps a backup, manages up to four game accounts and finds\n"
    "the game through the registry of its Wine prefix.")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_STRIP_FILES ON)

# The portable archive: the program folder in a folder of the archive's name.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" _quillset_platform)
set(CPACK_PACKAGE_FILE_NAME quillset-${PROJECT_VERSION}-${_quillset_platform})
set(CPACK_ARCHIVE_PORTABLE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME})

# The Debian package: one package from the system component.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_SYSTEM_PACKAGE_NAME quillset)
set(CPACK_DEBIAN_SYSTEM_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_SYSTEM_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# A tool for a game rather than a game; non-free, as its licence is
# proprietary (see resources/debian/copyright).
set(CPACK_DEBIAN_PACKAGE_SECTION non-free/utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The maintainer scripts carry a manifest parked for the classic look across
# upgrades (also from /opt/quillset, the folder up to 2.6.0), failed
# upgrades and removals.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_quillset_debian}/preinst ${_quillset_debian}/postinst
    ${_quillset_debian}/prerm ${_quillset_debian}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The windows' font; without it another face with Arial's widths is taken.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
find_program(QUILLSET_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUILLSET_DPKG_SHLIBDEPS)
    # Depends from the libraries the executable links (Qt 6 Widgets, Gui,
    # Core and the C++ runtime), with the versions of this machine.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4.2), libqt6gui6 (>= 6.4.2), libqt6core6 (>= 6.4.2), libstdc++6, libc6")
endif()

# Each generator packs its own component, from its own root: the archive
# holds the folder itself, the .deb installs below "/".
set(_quillset_per_generator ${_quillset_staging}/CPackPerGenerator.cmake)
file(WRITE ${_quillset_per_generator} [=[
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL system)
    set(CPACK_PACKAGING_INSTALL_PREFIX "/")
else()
    set(CPACK_COMPONENTS_ALL portable)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
]=])
set(CPACK_PROJECT_CONFIG_FILE ${_quillset_per_generator})

include(CPack)
