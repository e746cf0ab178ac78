#pragma once
// Files the programs ship with (the report template, for one): beside the
// executable in a build tree or a portable copy, under share/rail-replay/ in an
// installed tree.

#include <QString>

namespace common {

// The first existing of <executable's folder>/name and
// <executable's folder>/../share/rail-replay/name; empty when neither exists.
QString findResource(const QString &name);
QString findResource(const QString &name, const QString &executableDir);

} // namespace common
