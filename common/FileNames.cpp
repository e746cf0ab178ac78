#include "FileNames.h"

namespace common {

QString withExtension(const QString &name, const QString &extension, Qt::CaseSensitivity sensitivity)
{
    return name.endsWith(extension, sensitivity) ? name : name + extension;
}

} // namespace common
