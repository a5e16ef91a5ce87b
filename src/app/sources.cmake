target_sources(quillset_core PRIVATE
    app/ansi_text.cpp
    app/atomic_file.cpp
    app/backup.cpp
    app/debug_log.cpp
    app/file_helpers.cpp
    app/text_lines.cpp
    app/visual_style.cpp)
include(app/registry/sources.cmake OPTIONAL)
# Wine and its launchers exist only off Windows.
if(NOT WIN32)
    include(app/launchers/sources.cmake)
endif()
