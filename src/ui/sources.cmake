add_library(quillset_ui STATIC)
target_sources(quillset_ui PRIVATE
    )
target_link_libraries(quillset_ui PUBLIC quillset_core Qt6::Widgets)

add_executable(quillset app/main.cpp)
target_link_libraries(quillset PRIVATE quillset_ui)
