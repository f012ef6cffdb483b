#pragma once
// Files a test lays down before the program reads them.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace alvetra::test {

// Writes `bytes` as the whole file at `path`; the path, for chaining into the call under test.
inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
    return path;
}

} // namespace alvetra::test
