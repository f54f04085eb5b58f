#pragma once

#include <QtGlobal>

// The program's bytes on the line that more than one exchange shares.
namespace transfer {

constexpr quint8 RequestStart = '~'; // opens every request: download, read-out, verify
constexpr quint8 LineEnd = 13;       // a carriage return: ends each line sent, each field received

} // namespace transfer
