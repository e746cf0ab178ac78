#pragma once
// The file "保存图形" writes: what stands at the chosen name decides whether to ask
// before writing, and the picture goes there as a Windows bitmap.

#include <QImage>
#include <QString>

namespace brantview {

inline const QString OverwriteQuestionText = QStringLiteral("文件已经存在，要覆盖吗？");

enum class PictureTarget {
    New,       // nothing there: written without asking
    Empty,     // an empty file: written without asking
    NonEmpty,  // ask OverwriteQuestionText first
};

PictureTarget PictureTargetOf(const QString &path);

// Writes the picture to `path` as a 24-bit bitmap, replacing the file as a whole;
// throws BrantFileError, and a file already there stays as it was.
void SavePicture(const QString &path, const QImage &picture);

} // namespace brantview
