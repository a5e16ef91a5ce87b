# Finding the game's Wine prefix among those Linux launchers make. Lutris
# writes YAML: read with yaml-cpp, whose Debian 0.7 package exports the
# target "yaml-cpp" and newer releases "yaml-cpp::yaml-cpp".
find_package(yaml-cpp REQUIRED)
if(TARGET yaml-cpp::yaml-cpp)
    target_link_libraries(quillset_core PRIVATE yaml-cpp::yaml-cpp)
else()
    target_link_libraries(quillset_core PRIVATE yaml-cpp)
endif()
target_sources(quillset_core PRIVATE
    registry/launchers/game_in_prefix.cpp
    registry/launchers/game_prefix_search.cpp
    registry/launchers/launcher_configs.cpp
    registry/launchers/launcher_prefixes.cpp
    registry/launchers/steam_library_file.cpp)
