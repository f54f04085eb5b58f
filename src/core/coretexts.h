#pragma once

#include <QCoreApplication>

// The texts the core hands to the user: the form's labels, hints and column
// headers, the operators' names and the messages of the input check. Whoever
// shows them translates them in this one context, "CoreTexts", through
// CoreTexts::tr(). Where a text is written, QT_TRANSLATE_NOOP names the context
// again, since lupdate reads it there as a literal.
struct CoreTexts
{
    Q_DECLARE_TR_FUNCTIONS(CoreTexts)
};
