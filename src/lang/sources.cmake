target_sources(quillset_core PRIVATE
    lang/file_line.cpp)
