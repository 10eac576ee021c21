#include "summary/Jahresreihen.h"

CZusammenfassungsjahr Zusammenfassungsjahr(int jahr, float restProduktion, float restRate, float felderProduktion,
                                           float felderRate, float sollProduktion, float sollRate)
{
    CZusammenfassungsjahr y;
    y.jahr = jahr;
    y.restProduktion = restProduktion;
    y.restRate = restRate;
    y.felderProduktion = felderProduktion;
    y.felderRate = felderRate;
    y.istProduktion = double(restProduktion) + felderProduktion;
    y.istRate = double(felderRate) + restRate;
    y.sollProduktion = sollProduktion;
    y.sollRate = sollRate;
    return y;
}

bool CJahreswerte::IstImJahr(int jahr, double& wert) const
{
    const long long i = static_cast<long long>(jahr) - start;
    if (i < 0 || i >= anzahl)
        return false;
    wert = ist[i];
    return true;
}

CJahreswerte Jahreswerte(const CJahresreihen& d)
{
    CJahreswerte w;
    w.start = d.projektstart;
    if (d.jahre)
        for (const CZusammenfassungsjahr& y : *d.jahre) {
            if (w.anzahl == kMaxJahre)
                break;
            w.ist[w.anzahl] = d.rate ? y.istRate : y.istProduktion;
            w.soll[w.anzahl++] = d.rate ? y.sollRate : y.sollProduktion;
        }
    if (!d.rate && d.bedarf && !d.bedarf->empty())
        w.toleranz = 0.05;
    return w;
}

CJahreswerte Deckungswerte(const CJahresreihen& d)
{
    CJahreswerte w = Jahreswerte(d);
    // A demand-limited run holds its rates back to the demand: the coverage
    // of the Soll rate is judged by the rate the fields could deliver.
    if (d.rate && d.bedarf && d.jahre)
        for (const CBedarfsjahr& b : *d.bedarf)
            if (const long long i = static_cast<long long>(b.jahr) - w.start; i >= 0 && i < w.anzahl)
                w.ist[i] = double((*d.jahre)[static_cast<size_t>(i)].restRate) + b.lieferbarRate;
    return w;
}
