target_sources(quillset_core PRIVATE
    lang/language_catalogue.cpp
    lang/language_choice.cpp
    lang/language_loader.cpp)
