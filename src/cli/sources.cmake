# The command line: a front over the core, Qt Core only, so the commands
# run without a display and their tests without widgets.
add_library(quillset_cli STATIC
    cli/change_commands.cpp
    cli/change_write.cpp
    cli/command_line.cpp
    cli/command_output.cpp
    cli/find_game.cpp
    cli/get_command.cpp
    cli/profile_reader.cpp
    cli/where_command.cpp)
target_link_libraries(quillset_cli PUBLIC quillset_core)
