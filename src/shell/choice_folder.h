#pragma once
// Whose folder keeps a user's own choices (the language file, the look). A
// program folder the user can write (a portable copy) keeps them beside the
// program, as it always has. One the user cannot write (an installed
// package, a read-only medium) is the same for everybody, so there each user
// keeps them in a folder of their own: $XDG_CONFIG_HOME/quillset.

#include <QString>

namespace quillset {

// The environment values the choice of folder depends on.
struct ChoiceEnvironment {
    QString home;       // $HOME
    QString configHome; // $XDG_CONFIG_HOME as set: empty, relative or absolute

    static ChoiceEnvironment fromProcess();
};

struct ChoiceFolder {
    QString path;         // where the choices are read and kept; empty: nowhere
    bool perUser = false; // false: the program folder itself

    // The program folder when this user can write it. Otherwise the user's
    // own: $XDG_CONFIG_HOME/quillset when that variable is an absolute path
    // and the folder can be written or made, else home/.config/quillset
    // (which may turn out not to be writable either). Nothing is created.
    static ChoiceFolder find(const QString& programDir, const ChoiceEnvironment& environment);

    bool operator==(const ChoiceFolder&) const = default;
};

// Whether files can be written in folder, or in the folder once it is made:
// it is a folder this user can write, or it is missing and its nearest
// existing parent is.
bool canKeepFilesIn(const QString& folder);

} // namespace quillset
