#pragma once
// Replacing a user's file so that a failure never costs the old content:
// the new bytes go to a temporary file beside the target, are flushed and
// synced, and only then renamed over the target.

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quillset {

struct AtomicWriteOptions {
    // The file holds secrets (CD keys): the temporary file and the result are
    // created readable and writable by the owner only.
    bool ownerOnly = false;
};

// Empty optional on success; otherwise a sentence for the user naming the
// reason. On failure the target is exactly as it was before the call.
std::optional<QString> writeFileAtomically(const QString& path, QByteArrayView data,
                                           AtomicWriteOptions options = {});

} // namespace quillset
