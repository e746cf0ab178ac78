#pragma once
#include <QByteArray>
#include <QString>

#include <map>
#include <string>

// The parts of an Office Open XML package, by their name inside the zip.
using DocxParts = std::map<std::string, QByteArray>;

// Reads every part of the package at path; OfficeError when it is missing or not a zip.
DocxParts readDocxParts(const QString &path);

// Writes the parts as a zip under exactly path. libzip writes a temporary file in
// the same folder and renames it on close, so a failed save leaves an older file whole.
void writeDocxParts(const QString &path, const DocxParts &parts);
