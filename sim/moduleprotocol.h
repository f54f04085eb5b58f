#pragma once

#include <QByteArray>
#include <QtGlobal>

// The bytes and waits of the line as the module knows them, written once for the
// simulator. The simulator stays apart from the program's own protocol code, so a
// wrong byte on one side cannot hide behind a constant both sides share.
namespace moduleprotocol {

constexpr quint8 Start = '~';           // opens every request
constexpr quint8 DownloadCommand = '}'; // the second byte of a download request
constexpr quint8 UploadCommand = '{';   // the second byte of a read-out request, by default
constexpr quint8 Ready = 'R';           // the module takes a download
constexpr quint8 AfterReady = 'D';      // the byte the module sends behind "R"
constexpr quint8 LineEnd = '\r';        // ends each line of a download and each field of a read-out
constexpr quint8 Separator = '|';       // between a download line's fields, by default
inline const QByteArray Acknowledge = QByteArrayLiteral("OK"); // after a stored download
constexpr quint8 AnswerEnd = 'E';       // the last byte of a read-out, which the program drops

constexpr int FieldCount = 92; // the fields the module stores
constexpr int FieldWidth = 16; // each stored as 16 Latin-1 characters

// How long the module waits for the program: for the first line of a download,
// and for every further byte of a request or a line.
constexpr int FirstLineWaitMs = 10000;
constexpr int LineByteWaitMs = 3000;

} // namespace moduleprotocol
