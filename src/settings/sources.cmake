target_sources(quillset_core PRIVATE
    settings/key_catalogue.cpp
    settings/settings_edit.cpp
    settings/settings_merge.cpp
    settings/settings_model.cpp
    settings/settings_reader.cpp
    settings/settings_writer.cpp
    settings/standard_settings.cpp
    settings/typed_value.cpp)
