#pragma once

#include <QString>
#include <QtGlobal>

// How the program talks to the module. Held by value by the main window and
// copied into every transfer, so a running transfer never sees later edits.
struct LinkSettings
{
    QString port = QStringLiteral("COM1");
    qint32 baudRate = 1200;
    // 0..3 choose an 8/16/24/32 sum; any other byte is a fixed check character.
    quint8 checkSize = 0;
    quint8 ackChar = 'O';
    qint32 checkValue = 0;
    quint8 downloadSeparator = '|';
    quint8 uploadSeparator = '|';
    quint8 uploadCommand = '{';
    QString transferText;
    QString fileName;
    QString filePath;

    friend bool operator==(const LinkSettings &, const LinkSettings &) = default;
};
