target_sources(quillset_core PRIVATE
    shell/backup.cpp
    shell/visual_style.cpp)
