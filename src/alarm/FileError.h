#pragma once
// An error met where a file is involved (car database, settings file). It ends the handler that
// met it and is shown by the application's general error handler, which also shows a lock diagram
// that cannot be read (that one is never thrown: the window tells it after the handler).

#include <QString>
#include <stdexcept>

namespace alvetra {

class FileError : public std::runtime_error {
public:
    explicit FileError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace alvetra
