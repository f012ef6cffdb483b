#pragma once
// Small helpers shared by the fuzz targets: reading the fuzzer's bytes as choices, a scratch
// file, and a check that aborts with a message (libFuzzer keeps the input that made it abort).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <unistd.h>

namespace alvetra::fuzz {

#define FUZZ_CHECK(condition, what)                                                        \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

// The fuzzer's bytes, taken from the front; past the end every value is 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    std::size_t remaining() const { return empty() ? 0 : size_ - pos_; }
    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    std::vector<std::uint8_t> bytes(std::size_t count)
    {
        const std::size_t n = count < remaining() ? count : remaining();
        std::vector<std::uint8_t> out(data_ + pos_, data_ + pos_ + n);
        pos_ += n;
        return out;
    }
    QByteArray rest()
    {
        const std::size_t n = remaining();
        QByteArray out(reinterpret_cast<const char *>(data_ + pos_), static_cast<qsizetype>(n));
        pos_ = size_;
        return out;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

inline QString &scratchFolderForCleanup()
{
    static QString folder;
    return folder;
}

// A file of this process in the temporary folder (RAM-backed /dev/shm when there is one).
inline QString scratchPath(const QString &name)
{
    static const QString folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString dir = base + QStringLiteral("/alvetra-fuzz-%1").arg(::getpid());
        QDir().mkpath(dir);
        // Set before the clean-up is registered, so that the name outlives the clean-up.
        scratchFolderForCleanup() = dir;
        std::atexit([] { QDir(scratchFolderForCleanup()).removeRecursively(); });
        return dir;
    }();
    return folder + QLatin1Char('/') + name;
}

inline void writeScratch(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file opens");
    FUZZ_CHECK(file.write(bytes) == bytes.size(), "scratch file is written");
}

} // namespace alvetra::fuzz
