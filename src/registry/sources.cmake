target_sources(quillset_core PRIVATE
    registry/game_location.cpp
    registry/registry.cpp
    registry/wine_prefix.cpp
    registry/wine_registry.cpp
    registry/wine_registry_excerpt.cpp
    registry/wine_registry_edit.cpp
    registry/wine_registry_file.cpp)
if(WIN32)
    target_sources(quillset_core PRIVATE registry/windows_registry.cpp)
    target_link_libraries(quillset_core PUBLIC advapi32)
endif()
# Wine and its launchers exist only off Windows.
if(NOT WIN32)
    include(registry/launchers/sources.cmake)
endif()
