#include "TestFiles.h"

#include <QFile>

#include <stdexcept>

namespace TestFiles {

QString TestDir::path(const QString &name) const
{
    return m_dir.filePath(name);
}

QString TestDir::write(const QString &name, const QByteArray &bytes) const
{
    const QString target = path(name);
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + target.toStdString());
    return target;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read test file " + path.toStdString());
    return file.readAll();
}

} // namespace TestFiles

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QPoint &point, std::ostream *os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}
