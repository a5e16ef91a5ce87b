target_sources(quillset_core PRIVATE
    io/ansi_text.cpp
    io/atomic_file.cpp
    io/debug_log.cpp
    io/file_helpers.cpp
    io/folder_lock.cpp
    io/file_watch.cpp
    io/text_lines.cpp)
