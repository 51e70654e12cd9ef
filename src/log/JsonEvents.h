#pragma once

#include <QByteArray>
#include <QString>

// The lines --json writes on standard output: one compact JSON object per
// line, each with an "event" member naming its kind. Built with Qt's JSON
// writer, so every name and text (quotes, line breaks, control characters
// included) comes out as valid JSON. The README lists the schema.
namespace jsonevents {

// {"event":"log","text":...}: one line of the log pane.
QByteArray LogLine(const QString &text);
// {"event":"checksum","sha256":...,"sectors":N} when line is the recording
// library's checksum line; empty otherwise.
QByteArray ChecksumOf(const QString &line);
// {"event":"phase","phase":...}
QByteArray Phase(const QString &phase);
// {"event":"progress","phase":...,"percent":N}
QByteArray Progress(const QString &phase, int percent);
// {"event":"end","status":N,"reason":...}: the exit status and the reason
// line (empty after a success). Always the last line.
QByteArray End(int status, const QString &reason);

} // namespace jsonevents
