// Writes the seed corpora of the answer and transfertext fuzz targets from the
// sample forms the tests share; the configuration-file seeds are plain files kept
// as they are. Run from the repository root:
//     build/bin/fuzz_seeds fuzz/corpus
#include "core/transfer/transfertext.h"
#include "sampleforms.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

// The corpus folder, one subfolder per target.
struct Corpus
{
    QString root;
    bool write(const char *target, const char *name, const QByteArray &bytes) const;
};

bool Corpus::write(const char *target, const char *name, const QByteArray &bytes) const
{
    const QString folder = root + QLatin1Char('/') + QLatin1String(target);
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

// What a module that stores `fields` sends on a read-out: a preamble, two carriage
// returns, each field ended by one, then a last byte.
QByteArray answer(const QStringList &fields, char pad = ' ', const QByteArray &preamble = "RZM-417 v1.0")
{
    QByteArray bytes = preamble + "\r\r";
    for (const QString &field : fields) {
        QByteArray raw = field.toLatin1();
        for (qsizetype k = raw.size() - 1; k >= 0 && raw[k] == ' '; --k)
            raw[k] = pad;
        bytes += raw + '\r';
    }
    return bytes + 'E';
}

// The transfertext target's input for a form (see FuzzInput and formFrom()).
QByteArray formInput(const FormContent &form, char separator = '|', quint8 kind = 0, quint8 value = 0)
{
    QByteArray bytes;
    bytes += separator;
    bytes += char(kind);
    bytes += char(value);
    auto text = [](QByteArray &to, const QString &t) {
        to += char(t.size());
        for (QChar c : t) {
            if (c.unicode() < 0xFE || c.unicode() == 0xFF)
                to += char(c.unicode());
            else
                to += QByteArray("\xfe") + char(c.unicode() >> 8) + char(c.unicode() & 0xFF);
        }
    };
    for (const QString &t : form.texts)
        text(bytes, t);
    for (int k = 0; k < 256; k += 8) {
        quint8 bits = 0;
        for (int j = 0; j < 8; ++j)
            bits |= form.boxes[k + j] ? 1 << j : 0;
        bytes += char(bits);
    }
    return bytes;
}

QByteArray noise(int count)
{
    QByteArray bytes;
    quint32 state = 417;
    while (bytes.size() < count) {
        state = state * 1664525u + 1013904223u;
        bytes += char(state >> 24);
    }
    return bytes;
}

bool answerSeeds(const Corpus &corpus)
{
    const QStringList fields = transfer::fields(fixtures::richForm());
    QStringList inside = fields;
    inside.insert(40, QString(transfer::FieldWidth, QLatin1Char(' ')));
    QByteArray emptyInside = answer(inside);
    emptyInside.replace(emptyInside.indexOf(QByteArray(transfer::FieldWidth, ' ') + '\r'), transfer::FieldWidth, "");
    return corpus.write("answer", "good", answer(fields)) && corpus.write("answer", "pad255", answer(fields, char(0xFF)))
        && corpus.write("answer", "no_preamble", answer(fields, ' ', QByteArray()))
        && corpus.write("answer", "pipes", answer(fields).replace('\r', '|'))
        && corpus.write("answer", "too_few", answer(fields.mid(0, fields.size() - 1)))
        && corpus.write("answer", "too_many", answer(fields + QStringList{QString(transfer::FieldWidth, QLatin1Char(' '))}))
        && corpus.write("answer", "empty_field_inside", emptyInside) && corpus.write("answer", "no_separator", "RZM-417 ready")
        && corpus.write("answer", "empty", QByteArray()) && corpus.write("answer", "noise", noise(300));
}

bool transferTextSeeds(const Corpus &corpus)
{
    const FormContent form = fixtures::richForm();
    FormContent negative = form;
    negative.setText("smskp", QString(11, QChar(0xA4)));
    FormContent accent = form;
    accent.setText("m_nev", QString::fromUtf8("K\u00e9pu \u0151"));
    FormContent missing = form;
    missing.setText("be2_off_msg", QString());
    return corpus.write("transfertext", "defaults", formInput(form)) && corpus.write("transfertext", "sum8", formInput(form, '|', 0, 1))
        && corpus.write("transfertext", "sum32", formInput(form, '|', 3, 1))
        && corpus.write("transfertext", "fixed_char", formInput(form, '|', '#', 1))
        && corpus.write("transfertext", "negative_sum", formInput(negative, '|', 1, 1))
        && corpus.write("transfertext", "accent", formInput(accent)) && corpus.write("transfertext", "missing", formInput(missing))
        && corpus.write("transfertext", "separator_hash", formInput(form, '#'));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_FOLDER\n");
        return 2;
    }
    const Corpus corpus{QString::fromLocal8Bit(argv[1])};
    return answerSeeds(corpus) && transferTextSeeds(corpus) ? 0 : 1;
}
