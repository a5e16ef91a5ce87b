# The widgets layer and the program.
add_library(quillset_ui STATIC)
target_sources(quillset_ui PRIVATE
    ui/about_window.cpp
    ui/about_window.h
    ui/account_window.cpp
    ui/account_window.h
    ui/account_window_host.cpp
    ui/account_window_layout.cpp
    ui/account_window_layout.h
    ui/control_catalogue.cpp
    ui/frame_box.cpp
    ui/frame_box.h
    ui/control_catalogue.h
    ui/menu_catalogue.cpp
    ui/option_group.cpp
    ui/option_group.h
    ui/options_window.cpp
    ui/options_window.h
    ui/qt_dialogs.cpp
    ui/qt_dialogs.h
    ui/settings_binding.cpp
    ui/settings_binding.h
    ui/text_box.cpp
    ui/text_box.h
    ui/tri_state_check_box.cpp
    ui/tri_state_check_box.h
    ui/widget_text.cpp
    ui/widget_text.h
    ui/window_builder.cpp
    ui/window_builder.h
    ${PROJECT_SOURCE_DIR}/resources/ui/quillset_ui.qrc)
target_link_libraries(quillset_ui PUBLIC quillset_core Qt6::Widgets)

add_executable(quillset main.cpp)
target_link_libraries(quillset PRIVATE quillset_ui quillset_cli)
