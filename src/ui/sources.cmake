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

# The program runs the commands on Qt Core alone; the window is a module it
# loads from its own folder only when it opens one (see main.cpp).
add_executable(quillset main.cpp)
target_link_libraries(quillset PRIVATE quillset_cli)
add_library(quillset_window MODULE window_main.cpp)
target_link_libraries(quillset_window PRIVATE quillset_ui quillset_cli)
set_target_properties(quillset_window PROPERTIES OUTPUT_NAME quillset-window PREFIX ""
                      LIBRARY_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:quillset>)
add_dependencies(quillset quillset_window)
