#pragma once

#include <QDateTime>
#include <QString>

// How a recording's files are named: after the station and the time the
// recording began, with the extension of the stream's codec, since the
// stream is written as it arrives.
namespace RecordingName
{

// The file name, without folder: "<station> <yyyy-MM-dd HH-mm-ss>.<extension>".
// The station's name loses what a file name cannot hold or what would trouble
// another system reading it ("/", ":", control characters...), and is cut,
// between whole characters, so that the name stays within the 255 bytes
// that Linux file systems allow.
QString fileName(const QString &station, const QDateTime &start, const QString &extension);

// The extension under which mpv writes a stream of `codec` (mpv's
// audio-codec-name) as it came; Matroska, which takes any codec, for the
// others.
QString extensionFor(const QString &codec);

// The titles list beside a recording: the same name, ".txt" for its extension.
QString titlesFileName(const QString &recordingPath);

// `path`, or, if a file of that name is already there, the first of
// "<base> (2).<ext>", "<base> (3).<ext>"... that is not.
QString unusedPath(const QString &path);

}
