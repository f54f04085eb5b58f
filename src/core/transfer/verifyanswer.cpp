#include "verifyanswer.h"

#include "answer.h"

namespace transfer {

VerifyJudgement judgeVerify(const FormContent &form, const QString &expectedText, const QByteArray &bytes)
{
    using Kind = VerifyJudgement::Kind;
    const QString answerText = answer::normalise(answer::rawText(bytes));
    if (answerText == expectedText)
        return {Kind::Match, {}};
    if (bytes.isEmpty())
        return {Kind::NoAnswer, {}};
    const answer::Reading reading = answer::read(answerText);
    if (!reading.ok())
        return {Kind::Unreadable, {}};
    // The form as the module would give it back, against what it gave.
    return {Kind::Differs, configdiff::compareWithModule(form, reading.content)};
}

} // namespace transfer
