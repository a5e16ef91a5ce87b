target_sources(quillset_core PRIVATE
    editor/editor.cpp
    editor/editor_accounts.cpp
    editor/editor_commands.cpp
    editor/install_folder.cpp)
