#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"
#include "core/safewrite/backupfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The verdict on a module's answer to a verify: the same match as the window
// (the whole answer text against the expected text), and on a mismatch every
// differing field by name, as `diff` names them.
namespace cli {

struct VerifyVerdict
{
    enum Kind { Match, Mismatch, NoAnswer, Unreadable };
    Kind kind = Mismatch;
    QString summary;     // one line: "match", "mismatch: 3 fields differ", ...
    QStringList details; // one line per differing field
};

// Why an answer could not be read, in one phrase: "91 fields, expected 92".
QString readingFailureText(const QString &answerText);

// The configuration a module's answer holds, as a configuration file can keep it:
// texts cut to their fields as the window cuts them. `code` is -1 when it could be
// read, else the exit code, with `reason` a phrase: "no answer", "the answer cannot
// be read (91 fields, expected 92)", or a field "---" that would end a file early.
struct ModuleConfig
{
    int code = -1;
    QString reason;
    FormContent form;
};
ModuleConfig configFromAnswer(const QByteArray &bytes);
// The same for the core's reading of an answer.
ModuleConfig configFromAnswer(const safewrite::AnswerConfig &config);

// `expectedText` is the verify text built from `form`; `bytes` what the module sent.
VerifyVerdict judgeAnswer(const FormContent &form, const QString &expectedText, const QByteArray &bytes);

} // namespace cli
