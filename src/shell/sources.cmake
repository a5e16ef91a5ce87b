target_sources(quillset_core PRIVATE
    shell/backup.cpp
    shell/debug_log.cpp
    shell/visual_style.cpp)
