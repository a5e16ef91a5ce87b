target_sources(quillset_core PRIVATE
    editor/account_session.cpp
    editor/backup_command.cpp
    editor/editor.cpp
    editor/editor_context.cpp
    editor/file_sync.cpp
    editor/save_decisions.cpp
    editor/file_commands.cpp
    editor/install_folder.cpp
    editor/menu_commands.cpp
    editor/settings_session.cpp
    editor/startup.cpp)
