#pragma once

#include <QString>
#include <QtGlobal>

// How the checksum behind a transfer text is formed: the remainder of the sum of
// the text's codes by 8, 16, 24 or 32, or one fixed character in its place.
struct Checksum
{
    enum class Kind { Sum8, Sum16, Sum24, Sum32, Fixed };

    Kind kind = Kind::Sum8;
    quint8 fixedChar = 0; // the character's Latin-1 code, for Kind::Fixed only

    // The choice as one byte, as the Fix dialog and the command line give it:
    // 0 to 3 pick a sum, any other byte is the fixed character.
    static Checksum fromByte(quint8 byte);
    quint8 byte() const;

    friend bool operator==(const Checksum &, const Checksum &) = default;
};

inline Checksum Checksum::fromByte(quint8 byte)
{
    if (byte <= 3)
        return {Kind(byte), 0};
    return {Kind::Fixed, byte};
}

inline quint8 Checksum::byte() const
{
    return kind == Kind::Fixed ? fixedChar : quint8(kind);
}

// The line always runs at 1200 baud (8N1): the module knows no other rate, so the
// link settings hold none. The port label and the port dialog show this one.
constexpr qint32 LineBaudRate = 1200;

// How the program talks to the module: the link only. Held by value by the window's
// link commands and copied into every transfer, so a running transfer never sees later edits.
struct LinkSettings
{
    QString port = QStringLiteral("COM1");
    Checksum checkSize;
    quint8 ackChar = 'O';
    bool checkValue = false; // the checksum is appended
    quint8 downloadSeparator = '|';
    quint8 uploadSeparator = '|';
    quint8 uploadCommand = '{';

    friend bool operator==(const LinkSettings &, const LinkSettings &) = default;
};
