#include "verifyreport.h"

#include "configdiff.h"
#include "core/formschema.h"
#include "core/safewrite/backupfile.h"
#include "core/transfer/answer.h"
#include "core/transfer/verifyanswer.h"
#include "exitcodes.h"

namespace cli {
namespace {

// Where two texts first part, with a little of each around it.
QString firstDifference(const QString &expected, const QString &answer)
{
    qsizetype at = 0;
    while (at < expected.size() && at < answer.size() && expected[at] == answer[at])
        ++at;
    const qsizetype from = qMax<qsizetype>(0, at - 8);
    return QStringLiteral("the texts part at character %1: expected %2, module %3")
        .arg(at + 1)
        .arg(quoted(expected.mid(from, 24)), quoted(answer.mid(from, 24)));
}

} // namespace

QString readingFailureText(const QString &answerText)
{
    const answer::Reading reading = answer::read(answerText);
    switch (reading.failure) {
    case answer::Failure::NoSeparator:
        return QStringLiteral("no field separator in %1 characters").arg(answerText.size());
    case answer::Failure::ItemCount:
        return QStringLiteral("%1 fields, expected %2")
            .arg(answer::items(answerText).size())
            .arg(formschema::TextCount);
    case answer::Failure::None:
        break;
    }
    return reading.diagnostic;
}

ModuleConfig configFromAnswer(const QByteArray &bytes)
{
    return configFromAnswer(safewrite::configFromAnswer(bytes));
}

ModuleConfig configFromAnswer(const safewrite::AnswerConfig &config)
{
    using Status = safewrite::AnswerConfig::Status;
    switch (config.status) {
    case Status::Read:
        return {-1, QString(), config.form};
    case Status::NoAnswer:
        return {ExitAnswer, QStringLiteral("no answer"), {}};
    case Status::Unreadable:
        return {ExitAnswer, QStringLiteral("the answer cannot be read (%1)").arg(readingFailureText(config.answerText)), {}};
    case Status::EndMarker:
        break;
    }
    return {ExitRefused, QStringLiteral("field %1 holds \"---\", which would end the file early")
                             .arg(formschema::textFields()[config.markerField].name), {}};
}

VerifyVerdict judgeAnswer(const FormContent &form, const QString &expectedText, const QByteArray &bytes)
{
    using Kind = transfer::VerifyJudgement::Kind;
    const transfer::VerifyJudgement judgement = transfer::judgeVerify(form, expectedText, bytes);
    VerifyVerdict verdict;
    switch (judgement.kind) {
    case Kind::Match:
        return {VerifyVerdict::Match, QStringLiteral("match"), {}};
    case Kind::NoAnswer:
        return {VerifyVerdict::NoAnswer, QStringLiteral("mismatch: no answer"), {}};
    case Kind::Unreadable: {
        const QString answerText = answer::normalise(answer::rawText(bytes));
        return {VerifyVerdict::Unreadable, QStringLiteral("mismatch: the answer cannot be read (%1)")
                                               .arg(readingFailureText(answerText)),
                {}};
    }
    case Kind::Differs:
        break;
    }
    const auto &differences = judgement.differences;
    verdict.details = formatDifferences(differences, QStringLiteral("file"), QStringLiteral("module"));
    if (differences.isEmpty())
        verdict.details.append(firstDifference(expectedText, answer::normalise(answer::rawText(bytes))));
    verdict.summary = differences.isEmpty()
        ? QStringLiteral("mismatch outside the field values (separators or mask digits)")
        : QStringLiteral("mismatch: %1 difference(s)").arg(differences.size());
    return verdict;
}

} // namespace cli
