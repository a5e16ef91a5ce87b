target_sources(quillset_core PRIVATE
    lang/file_line.cpp
    lang/language_catalogue.cpp
    lang/language_loader.cpp)
