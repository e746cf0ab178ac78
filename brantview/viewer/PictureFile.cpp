#include "PictureFile.h"

#include "recording/RecordingErrors.h"

#include "common/BitmapFile.h"

#include <QFileInfo>

namespace brantview {

PictureTarget PictureTargetOf(const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists())
        return PictureTarget::New;
    return target.size() == 0 ? PictureTarget::Empty : PictureTarget::NonEmpty;
}

void SavePicture(const QString &path, const QImage &picture)
{
    asBrantFileError([&] { common::writeBitmapFile(path, picture); });
}

} // namespace brantview
