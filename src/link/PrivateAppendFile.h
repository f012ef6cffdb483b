#pragma once
// A file written only at its end that users other than its owner may not read (the traffic log,
// which may hold the workshop's passwords). One implementation per platform:
// PrivateAppendFile_unix.cpp (a descriptor, 0600), PrivateAppendFile_win.cpp (a handle in the
// user's folders, which are private already).

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace alvetra {

class PrivateAppendFile {
public:
    PrivateAppendFile() = default;
    ~PrivateAppendFile();
    PrivateAppendFile(const PrivateAppendFile &) = delete;
    PrivateAppendFile &operator=(const PrivateAppendFile &) = delete;

    // Opens `path` for appending, made when missing and narrowed to its owner when it is a
    // plain file of his; nothing, or the system's reason.
    std::optional<QString> open(const QString &path);
    // Writes every byte; nothing, or the system's reason.
    std::optional<QString> write(const QByteArray &bytes);

private:
    std::intptr_t handle_ = -1;   // the platform's descriptor or handle; -1 when closed
};

} // namespace alvetra
