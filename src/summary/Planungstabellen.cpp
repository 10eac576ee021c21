#include "summary/Planungstabellen.h"

#include "platform/Format.h"

#include <cmath>

std::vector<std::string> VergleichTabelle(const std::string& nameA, const CJahreswerte& a, const std::string& nameB,
                                          const CJahreswerte& b)
{
    std::vector<std::string> zeilen = {"",
                                       "                 VERGLEICH DER VARIANTEN",
                                       "   A: " + nameA,
                                       "   B: " + nameB,
                                       "",
                                       "  JAHR       IST A       IST B       B - A      SOLL A",
                                       ""};
    for (int i = 0; i < a.anzahl; ++i) {
        const int jahr = a.start + i;
        double istB = 0;
        b.IstImJahr(jahr, istB);
        zeilen.push_back(Format("  %4d %11.1f %11.1f %11.1f %11.1f", jahr, a.ist[i], istB, istB - a.ist[i], a.soll[i]));
    }
    return zeilen;
}

namespace {

std::string ErsteUnterdeckung(const CJahreswerte& w)
{
    for (int i = 0; i < w.anzahl; ++i)
        if (Unterdeckung(w, i))
            return Format("%d", w.start + i);
    return "keine";
}

} // namespace

std::string UnterdeckungMengeUndRate(const CJahreswerte& menge, const CJahreswerte& rate)
{
    return "  Erste Unterdeckung Menge: " + ErsteUnterdeckung(menge) + "   Rate: " + ErsteUnterdeckung(rate);
}

std::vector<std::string> DeckungTabelle(const CJahreswerte& w, bool rate)
{
    std::vector<std::string> zeilen = {"", "                 DECKUNG DES VERKAUFSPROFILS", "",
                                       rate ? "  JAHR         IST        SOLL  IST - SOLL"
                                            : "  JAHR         IST        SOLL  IST - SOLL  FEHLMENGE KUM.",
                                       ""};
    double fehlmenge = 0;
    int ersteUnterdeckung = 0;
    bool unterdeckt = false;
    for (int i = 0; i < w.anzahl; ++i) {
        if (Unterdeckung(w, i)) {
            fehlmenge += w.soll[i] - w.ist[i];
            if (!unterdeckt)
                ersteUnterdeckung = w.start + i;
            unterdeckt = true;
        }
        // A year produced to the demand within its tolerance shows no difference (not "-0.0").
        double differenz = w.ist[i] - w.soll[i];
        if (w.toleranz > 0 && std::fabs(differenz) < w.toleranz)
            differenz = 0;
        if (rate)
            zeilen.push_back(Format("  %4d %11.1f %11.1f %11.1f", w.start + i, w.ist[i], w.soll[i], differenz));
        else
            zeilen.push_back(
                Format("  %4d %11.1f %11.1f %11.1f %11.1f", w.start + i, w.ist[i], w.soll[i], differenz, fehlmenge));
    }
    zeilen.push_back("");
    zeilen.push_back(unterdeckt ? Format("  Erste Unterdeckung: %d", ersteUnterdeckung) : "  Keine Unterdeckung");
    return zeilen;
}
