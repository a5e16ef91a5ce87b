target_sources(quillset_core PRIVATE
    app/registry/registry.cpp
    app/registry/memory_registry.cpp
    app/registry/platform_registry.cpp
    app/registry/wine_prefix.cpp
    app/registry/wine_registry.cpp
    app/registry/wine_registry_excerpt.cpp
    app/registry/wine_registry_file.cpp)
if(WIN32)
    target_sources(quillset_core PRIVATE app/registry/windows_registry.cpp)
    target_link_libraries(quillset_core PUBLIC advapi32)
endif()
