#pragma once

#include "formcontent.h"

// A form that passes every check of the download: the 16 mandatory fields filled,
// everything else empty, no box checked.
inline FormContent filledForm()
{
    FormContent form = FormContent::defaults();
    const char *const values[][2] = {
        {"m_pin", "1234"}, {"m_id", "0001"}, {"m_nev", "Kapu"}, {"visszaallas", "1"},
        {"be1_nev", "Ajto"}, {"be2_nev", "Ablak"}, {"rele_time", "5"}, {"ki3_on", "K3 be"},
        {"ki4_on", "K4 be"}, {"ki3_off", "K3 ki"}, {"ki4_off", "K4 ki"}, {"be1_on_msg", "Nyitva"},
        {"be1_off_msg", "Zarva"}, {"be2_on_msg", "Riaszt"}, {"be2_off_msg", "Rendben"},
    };
    for (const auto &v : values)
        form.setText(QLatin1String(v[0]), QLatin1String(v[1]));
    return form;
}
