#pragma once
// File names as the save commands make them from what the user typed.

#include <QString>

namespace common {

// `name` ending in `extension` (".jpg"), which is added when it is missing; an
// extension already there in another case ("A.JPG") counts unless `sensitivity`
// says otherwise.
QString withExtension(const QString &name, const QString &extension,
                      Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive);

} // namespace common
