#pragma once

#include "core/configdiff.h"
#include "core/formcontent.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The verify's judgement on what the module sent back. The match itself is the
// whole answer text against the expected text; a mismatch is then told apart, so
// that a user hears whether the module answered at all and what it holds else.
namespace transfer {

struct VerifyJudgement
{
    enum class Kind {
        Match,
        NoAnswer,   // not one byte came back
        Unreadable, // an answer that does not read as a configuration
        Differs,    // the module holds another configuration
    };
    Kind kind = Kind::Differs;
    // Differs: the fields whose values differ, the form's side first, in
    // enumeration order; empty when only what lies between the values differs
    // (a separator other than the module's, say).
    QList<configdiff::Difference> differences;
};

// `expectedText` is the verify text built from `form`; `bytes` what the module sent.
VerifyJudgement judgeVerify(const FormContent &form, const QString &expectedText, const QByteArray &bytes);

} // namespace transfer
