#include "summary/Jahresreihen.h"

#include "platform/Csv.h"
#include "platform/Format.h"

#include <algorithm>

namespace {

std::string Dezimalkomma(std::string zahl)
{
    std::replace(zahl.begin(), zahl.end(), '.', ',');
    return zahl;
}

std::string Menge(double v)
{
    return Dezimalkomma(Format("%.3f", v));
}
std::string Rate(double v)
{
    return Dezimalkomma(Format("%.1f", v));
}

} // namespace

std::string JahresreihenCsv(const CJahresreihen& d)
{
    static const std::vector<CFeldreihe> keine;
    const std::vector<CFeldreihe>& felder = d.felder ? *d.felder : keine;
    std::string csv = "\xEF\xBB\xBF";
    csv += "Jahr;Restfelder Produktion (Mio m3);Restfelder Rate (m3/h);"
           "Ist-Produktion (Mio m3);Ist-Rate (m3/h);Soll-Produktion (Mio m3);Soll-Rate (m3/h);"
           "Produktion der Felder (Mio m3);Rate der Felder (m3/h)";
    const bool bedarf = d.bedarf && !d.bedarf->empty();
    if (bedarf)
        csv += ";Bedarf Felder (Mio m3);Lieferbar (Mio m3);Gefoerdert (Mio m3);Faktor (-)";
    const bool energie = d.energie && !d.energie->empty();
    if (energie)
        csv += ";Rohgas Felder (Mio m3);Verkaufsgas Felder (Mio m3);Energie Felder (GWh)";
    const bool unsicher = d.unsicherheit && !d.unsicherheit->jahre.empty();
    if (unsicher)
        csv += d.unsicherheit->rate
                   ? ";P90 Ist-Rate (m3/h);P50 Ist-Rate (m3/h);P10 Ist-Rate (m3/h)"
                   : ";P90 Ist-Produktion (Mio m3);P50 Ist-Produktion (Mio m3);P10 Ist-Produktion (Mio m3)";
    // Every column names its unit: a field's column holds its share in the chart quantity.
    for (const CFeldreihe& feld : felder)
        csv += ";" + CsvText(feld.name + (d.rate ? " (m3/h)" : " (Mio m3)"));
    csv += "\r\n";
    for (int i = 0; i < AnzahlJahre(d.projektstart, d.projektende); ++i) {
        const float istProduktion = static_cast<float>(double(d.restProduktion[i]) + d.produktionFelder[i]);
        const double istRate = double(d.rateFelder[i]) + d.restRate[i];
        csv += Format("%d", d.projektstart + i) + ";" + Menge(d.restProduktion[i]) + ";" + Rate(d.restRate[i]) + ";" +
               Menge(istProduktion) + ";" + Rate(istRate) + ";" + Menge(d.sollProduktion[i]) + ";" +
               Rate(d.sollRate[i]) + ";" + Menge(d.produktionFelder[i]) + ";" + Rate(d.rateFelder[i]);
        if (bedarf && static_cast<size_t>(i) < d.bedarf->size()) {
            const CBedarfsjahr& b = (*d.bedarf)[static_cast<size_t>(i)];
            csv += ";" + Menge(b.bedarf) + ";" + Menge(b.lieferbar) + ";" + Menge(b.gefoerdert) + ";" +
                   Dezimalkomma(Format("%.3f", b.faktor));
        }
        if (energie && static_cast<size_t>(i) < d.energie->size()) {
            const CEnergiejahr& e = (*d.energie)[static_cast<size_t>(i)];
            csv += ";" + Menge(e.rohgas) + ";" + Menge(e.verkaufsgas) + ";" + Menge(e.energie);
        }
        if (unsicher) {
            // The study's years are the base run's: the same as these.
            const auto& j = d.unsicherheit->jahre;
            const auto it = std::find_if(j.begin(), j.end(),
                                         [&](const CUnsicherheitsjahr& u) { return u.jahr == d.projektstart + i; });
            const auto zahl = [&](double v) { return d.unsicherheit->rate ? Rate(v) : Menge(v); };
            csv += it == j.end() ? ";;;" : ";" + zahl(it->p90) + ";" + zahl(it->p50) + ";" + zahl(it->p10);
        }
        for (const CFeldreihe& feld : felder)
            csv += ";" + (d.rate ? Rate(feld.rate[i]) : Menge(feld.produktion[i]));
        csv += "\r\n";
    }
    return csv;
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
    w.anzahl = AnzahlJahre(d.projektstart, d.projektende);
    for (int i = 0; i < w.anzahl; ++i) {
        if (d.rate) {
            w.ist[i] = double(d.rateFelder[i]) + d.restRate[i];
            w.soll[i] = d.sollRate[i];
        } else {
            w.ist[i] = double(d.restProduktion[i]) + d.produktionFelder[i];
            w.soll[i] = d.sollProduktion[i];
        }
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
    if (d.rate && d.bedarf)
        for (const CBedarfsjahr& b : *d.bedarf)
            if (const long long i = static_cast<long long>(b.jahr) - w.start; i >= 0 && i < w.anzahl)
                w.ist[i] = double(d.restRate[i]) + b.lieferbarRate;
    return w;
}
