#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// Takes values from the front of a fuzz input; once it is used up, every value
// is 0 and every text empty, so short inputs still describe a whole case.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    quint8 byte() { return atEnd() ? 0 : m_data[m_pos++]; }

    // A length byte (0..maxLength), then that many characters: a byte is the
    // character with its Latin-1 code, except 0xFE, which takes the next two
    // bytes as one UTF-16 unit (accents beyond Latin-1, surrogates).
    QString text(int maxLength)
    {
        const int length = byte() % (maxLength + 1);
        QString t;
        for (int i = 0; i < length && !atEnd(); ++i) {
            const quint8 b = byte();
            if (b == 0xFE) {
                const int hi = byte();
                t.append(QChar(char16_t(hi << 8 | byte())));
            } else {
                t.append(QChar(char16_t(b)));
            }
        }
        return t;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
