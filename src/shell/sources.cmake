target_sources(quillset_core PRIVATE
    shell/backup.cpp
    shell/choice_folder.cpp
    shell/running_game.cpp
    shell/visual_style.cpp)
# The process table: the process snapshot on Windows, /proc elsewhere.
if(WIN32)
    target_sources(quillset_core PRIVATE shell/windows_process_table.cpp)
else()
    target_sources(quillset_core PRIVATE shell/proc_process_table.cpp)
endif()
