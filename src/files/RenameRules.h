#pragma once

#include <QString>

#include <optional>

// How the rename window derives a new name: the numbered name (base name,
// running number, the old extension) and the extension change.
namespace sondex::renamerules {

// Digits of the running number, held to 1-9.
int limitDigits(qint64 digits);

// A field's whole text as a decimal number of 0 or more (spaces around
// allowed); nothing otherwise.
std::optional<int> fieldNumber(const QString& text);

// The number in decimal, zero-padded on the left to `digits` characters; a
// longer number is not cut.
QString paddedNumber(int number, int digits);

// The old name's extension in lower case with its ".", empty when it has none.
QString lowerExtension(const QString& fileName);

// Base name + number text + the old name's extension in lower case.
QString numberedName(const QString& base, const QString& numberText, const QString& oldFileName);

// The extension change: when the old name's extension (upper-cased, without
// ".") equals the filter (upper-cased; an empty filter takes every file), the
// new name up to its first "." + "." + the new extension; otherwise the new
// name as it is.
QString withNewExtension(const QString& newName, const QString& oldFileName, const QString& filter,
                         const QString& newExtension);

// A name that can stand for one entry of a folder: not "." or "..", without
// "/" and without control characters (which the list file cannot carry).
bool isEntryName(const QString& name);

}  // namespace sondex::renamerules
