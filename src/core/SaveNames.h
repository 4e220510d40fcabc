#pragma once

#include <QString>

namespace sondex {

// The folder part of a path, with its trailing "/" (empty when there is none).
QString folderOf(const QString& path);

// A CD track or music file title made fit to stand before ".wav" in a file
// name, so that a save under it can work: "/", NUL and control characters
// cannot be in a name here, a double quote would end the quoted name of the
// save command, and \ : * ? < > | stop a save onto a FAT-formatted stick;
// each becomes "_". A leading "." becomes "_" too, so that the recording is
// not hidden. The result is cut, never inside a character, so that the name
// with ".wav" fits the 255 bytes a file name may have. Empty when the title is.
QString fileStemFromTitle(const QString& title);

// The music rule's name: the folder of the slot's name + the music file's
// name up to its first period + ".wav". Empty when no music file is known or
// its name gives no stem (".mid").
QString musicFileProposal(const QString& slotName, const QString& musicFile);

// The CD rule's name: the folder of the automatic name + the track name +
// ".wav". Empty when the track name is unknown (empty or "--").
QString trackNameProposal(const QString& automaticName, const QString& trackName);

}  // namespace sondex
