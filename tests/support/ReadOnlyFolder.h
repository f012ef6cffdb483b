#pragma once
// A folder in which no file can be made or replaced while the object lives, for root too:
// permission bits stop other users, and for root the folder is marked immutable (ext4 and most
// Linux file systems). active() is false where neither works, and on Windows, whose read-only
// attribute does not stop files being made in a folder.

#include <QFile>
#include <QString>

#ifdef _WIN32
namespace alvetra::test {
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &) {}
    bool active() const { return false; }
};
} // namespace alvetra::test
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace alvetra::test {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path) : path_(path)
    {
        if (geteuid() != 0) {
            saved_ = QFile::permissions(path_);
            active_ = QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            return;
        }
        fd_ = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            active_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ReadOnlyFolder()
    {
        if (fd_ >= 0) {
            int flags = 0;
            if (active_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
            }
            ::close(fd_);
        } else if (active_) {
            QFile::setPermissions(path_, saved_);
        }
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool active() const { return active_; }

private:
    QString path_;
    QFileDevice::Permissions saved_;
    int fd_ = -1;
    bool active_ = false;
};

} // namespace alvetra::test
#endif
