#pragma once

// A configuration that uses every field, for the command-line tests.
#include "fieldrules.h"
#include "files/configfile.h"
#include "formcontent.h"
#include "formschema.h"
#include "phoneslot.h"

#include "../testforms.h"

#include <QTemporaryDir>

// Every header field filled (rele_time short, so it travels zero-filled; m_nev with
// trailing blanks, which the module does not return), a number in most slots and
// rights that change from slot to slot.
inline FormContent fullForm()
{
    FormContent form = filledForm();
    form.setText("smskp", "36709996500");
    form.setText("m_nev", "Kapu   ");
    form.setText("rele_time", "12");
    for (int i = 16; i < formschema::HeaderCount; ++i)
        form.texts[i].text = QStringLiteral("res %1").arg(i);
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot) {
        if (slot % 9 != 0)
            form.texts[phoneslot::phoneIndex(slot)].text = QStringLiteral("3620%1").arg(5550000 + slot * 37);
        phoneslot::Rights rights;
        for (int r = 0; r < phoneslot::RightCount; ++r)
            rights.on[r] = (slot >> r) & 1;
        phoneslot::setRights(form, slot, rights);
    }
    return form;
}

// What a read-out of fullForm() gives: rele_time with its zeros, no trailing blanks.
inline FormContent fullFormReadBack()
{
    return fieldrules::readBack(fullForm());
}

// Saves a form as the configuration file `name` in `dir`; returns its path.
inline QString writeForm(const QTemporaryDir &dir, const QString &name, const FormContent &form)
{
    const QString path = dir.filePath(name);
    QString error;
    if (!configfile::save(path, form, &error))
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}
