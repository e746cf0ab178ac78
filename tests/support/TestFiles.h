#pragma once
// Files for tests: a private temporary folder per test, and reading bytes back.

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

namespace TestFiles {

// Each test's files live in a folder of their own that is removed afterwards.
class TestDir {
public:
    QString path(const QString &name) const;
    QString write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

QByteArray readBytes(const QString &path);

} // namespace TestFiles

// Readable failure messages for the Qt values the tests compare.
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QPoint &point, std::ostream *os);
