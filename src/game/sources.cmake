target_sources(quillset_core PRIVATE
    game/game_files.cpp
    game/settings_file.cpp)
