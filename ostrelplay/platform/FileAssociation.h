#pragma once
// Makes the desktop open .std recordings with this program on a double click.
// Linux: a shared-mime-info type and a desktop entry under $XDG_DATA_HOME, made
// the type's default with xdg-mime. Windows: the classes of the current user.

#include <QString>

struct FileAssociationResult {
    bool succeeded = false;
    QString message;  // the text to show: associationSucceededText() or what went wrong
};

// The text shown after the association was written.
QString associationSucceededText();

FileAssociationResult associateStdFiles(const QString &executablePath);

#ifndef Q_OS_WIN
// The names under $XDG_DATA_HOME and the type the association writes.
inline constexpr char stdMimeType[] = "application/x-ostrel-std";
inline constexpr char stdMimePackageFile[] = "mime/packages/ostrelplay-std.xml";
inline constexpr char stdDesktopEntryName[] = "ostrelplay-std.desktop";

// The Exec value of the desktop entry, escaped for the entry's file format.
QString desktopEntryExec(const QString &executablePath);
#endif
