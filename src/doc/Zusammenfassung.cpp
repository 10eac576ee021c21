// The summary of a run: rest fields, actual (fields + rest fields) and target
// (sales profile) year by year, with production totals; fills the chart series.
// And the merge of the sales and rest-field profiles into their year series.

#include "doc/CKalvoDoc.h"

#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "summary/Profil.h"

#include <algorithm>

void CKalvoDoc::Zusammenfassung()
{
    if (m_bDetailausgabe == 0) {
        for (const char* zeile : {" ", "                 ZUSAMMENFASSUNG DER ERGEBNISSE", " ",
                                  "  JAHR  PRODUKTION     RATE       IST         SOLL      IST       SOLL",
                                  "        RESTFELDER  RESTFELDER PRODUKTION  PRODUKTION   RATE      RATE",
                                  "         Mio m*3      m*3/h      Mio m*3     Mio m*3    m*3/h     m*3/h", " "})
            BerichtZeile(zeile);
    }
    m_sText = Format("Endjahr:%d Startjahr:%d\nEs werden nur 33 Jahre gerechnet!!", m_iProjektende, m_iProjektstart);
    if (static_cast<long long>(m_iProjektende) - m_iProjektstart > kMaxJahre - 1)
        m_Meldungen.Meldung(m_sText);

    // Running totals in single precision, each addition rounded to float.
    float summeRest = 0, summeIst = 0, summeSoll = 0;
    for (int i = 0; i < kMaxJahre && static_cast<long long>(m_iProjektstart) + i <= m_iProjektende; ++i) {
        const int jahr = m_iProjektstart + i;
        const double istProduktion = double(m_fRestProduktion[i]) + m_fProduktionFelder[i];
        const double istRate = double(m_fRateFelder[i]) + m_fRestRate[i];
        summeRest = static_cast<float>(double(summeRest) + m_fRestProduktion[i]);
        summeIst = static_cast<float>(double(summeIst) + istProduktion);
        summeSoll = static_cast<float>(double(summeSoll) + m_fSollProduktion[i]);

        m_sText = Format("  %4d  %8.1f  %9.0f %11.1f  %10.1f  %9.0f  %7.0f", jahr, double(m_fRestProduktion[i]),
                         double(m_fRestRate[i]), istProduktion, double(m_fSollProduktion[i]), istRate,
                         double(m_fSollRate[i]));
        if (m_bDetailausgabe == 0)
            BerichtZeile();
        X[i] = jahr;
        if (m_iGrafikRate != 0) {
            Y[i] = static_cast<float>(istRate);
            Y1[i] = m_fSollRate[i];
        } else {
            Y[i] = static_cast<float>(istProduktion);
            Y1[i] = m_fSollProduktion[i];
        }
    }
    BerichtZeile(" ");
    m_sText = Format("  Summe %8.1f  %21.1f %11.1f ", double(summeRest), double(summeIst), double(summeSoll));
    if (m_bDetailausgabe == 0)
        BerichtZeile();
}

// Places a profile's lines into its year series by position: line j goes to
// entry (first year − project start) + j, whatever year it states.
void CKalvoDoc::ProfilUebernehmen(bool restfelder)
{
    const auto& zeilen = restfelder ? m_saRestfelder : m_saVerkaufsprofil;
    int* jahre = restfelder ? m_iRestJahr : m_iVerkaufJahr;
    float* produktion = restfelder ? m_fRestProduktion : m_fSollProduktion;
    float* rate = restfelder ? m_fRestRate : m_fSollRate;

    const long long n = static_cast<long long>(zeilen.size());
    if (n == 0)
        return;
    int erstes = 0, letztes = 0;
    float p = 0, r = 0;
    if (ProfilzeileLesen(zeilen.front(), erstes, p, r) < 1 || ProfilzeileLesen(zeilen.back(), letztes, p, r) < 1)
        return; // lines are checked where they enter; nothing to place
    const long long istart = static_cast<long long>(erstes) - m_iProjektstart;
    if (erstes >= m_iProjektende) {
        m_Meldungen.Meldung(restfelder ? "Die Restdaten beginnen erst nach Projektende!"
                                       : "Die Verkaufsdaten beginnen erst nach Projektende!");
        return;
    }
    if (letztes <= m_iProjektstart) {
        m_Meldungen.Meldung(restfelder ? "Die Restdaten enden vor dem Projektbeginn!"
                                       : "Die Verkaufsdaten enden vor dem Projektbeginn!");
        return;
    }
    for (long long k = std::max(istart, 0LL); k < kMaxJahre && k < istart + n; ++k)
        ProfilzeileLesen(zeilen[static_cast<size_t>(k - istart)], jahre[k], produktion[k], rate[k]);
}
