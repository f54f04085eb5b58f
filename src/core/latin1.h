#pragma once

#include <QChar>
#include <QString>

// The module and the configuration rules work on single bytes: a character's
// Latin-1 code, or 0 when it has none (everything above U+00FF).
namespace latin1 {

inline int code(QChar c)
{
    return c.unicode() <= 0xFF ? c.unicode() : 0;
}

// The same code read as a signed byte, as the checks and the checksum see it.
inline int signedCode(QChar c)
{
    return static_cast<signed char>(static_cast<unsigned char>(code(c)));
}

inline QChar fromByte(quint8 b)
{
    return QChar(static_cast<ushort>(b));
}

} // namespace latin1
