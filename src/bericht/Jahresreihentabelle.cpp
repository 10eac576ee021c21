#include "bericht/Jahresreihentabelle.h"

#include <algorithm>

namespace {

CSpalte Menge(std::string name, std::string einheit = "Mio m3")
{
    return {std::move(name), std::move(einheit), ESpaltenart::Zahl, "", 0, 3};
}
CSpalte Rate(std::string name)
{
    return {std::move(name), "m3/h", ESpaltenart::Zahl, "", 0, 1};
}

CZelle Leer()
{
    return {0, {}, true};
}

} // namespace

CTabelle Jahresreihentabelle(const CJahresreihen& d)
{
    static const std::vector<CFeldreihe> keineFelder;
    static const std::vector<CZusammenfassungsjahr> keineJahre;
    const std::vector<CFeldreihe>& felder = d.felder ? *d.felder : keineFelder;
    const std::vector<CZusammenfassungsjahr>& jahre = d.jahre ? *d.jahre : keineJahre;
    const bool bedarf = d.bedarf && !d.bedarf->empty();
    const bool energie = d.energie && !d.energie->empty();
    const bool unsicher = d.unsicherheit && !d.unsicherheit->jahre.empty();

    CTabelle t;
    t.spalten = {{"Jahr", "", ESpaltenart::Ganz, "", 0, 0},
                 Menge("Restfelder Produktion"),
                 Rate("Restfelder Rate"),
                 Menge("Ist-Produktion"),
                 Rate("Ist-Rate"),
                 Menge("Soll-Produktion"),
                 Rate("Soll-Rate"),
                 Menge("Produktion der Felder"),
                 Rate("Rate der Felder")};
    if (bedarf)
        for (CSpalte s : {Menge("Bedarf Felder"), Menge("Lieferbar"), Menge("Gefoerdert"), Menge("Faktor", "-")})
            t.spalten.push_back(std::move(s));
    if (energie)
        for (CSpalte s : {Menge("Rohgas Felder"), Menge("Verkaufsgas Felder"), Menge("Energie Felder", "GWh")})
            t.spalten.push_back(std::move(s));
    const bool rate = unsicher && d.unsicherheit->rate;
    if (unsicher)
        for (const char* p : {"P90", "P50", "P10"})
            t.spalten.push_back(rate ? Rate(std::string(p) + " Ist-Rate") : Menge(std::string(p) + " Ist-Produktion"));
    // Every column names its unit: a field's column holds its share in the chart quantity.
    for (const CFeldreihe& feld : felder)
        t.spalten.push_back(d.rate ? Rate(feld.name) : Menge(feld.name));

    for (size_t i = 0; i < jahre.size(); ++i) {
        const CZusammenfassungsjahr& y = jahre[i];
        // Ist production as the chart holds it, in single precision.
        std::vector<CZelle> z = {
            {double(y.jahr), {}}, {y.restProduktion, {}}, {y.restRate, {}}, {static_cast<float>(y.istProduktion), {}},
            {y.istRate, {}},      {y.sollProduktion, {}}, {y.sollRate, {}}, {y.felderProduktion, {}},
            {y.felderRate, {}}};
        if (bedarf) {
            if (i < d.bedarf->size()) {
                const CBedarfsjahr& b = (*d.bedarf)[i];
                z.insert(z.end(), {{b.bedarf, {}}, {b.lieferbar, {}}, {b.gefoerdert, {}}, {b.faktor, {}}});
            } else {
                z.insert(z.end(), 4, Leer());
            }
        }
        if (energie) {
            if (i < d.energie->size()) {
                const CEnergiejahr& e = (*d.energie)[i];
                z.insert(z.end(), {{e.rohgas, {}}, {e.verkaufsgas, {}}, {e.energie, {}}});
            } else {
                z.insert(z.end(), 3, Leer());
            }
        }
        if (unsicher) {
            // The study's years are the base run's: the same as these.
            const auto& u = d.unsicherheit->jahre;
            const auto it =
                std::find_if(u.begin(), u.end(), [&](const CUnsicherheitsjahr& j) { return j.jahr == y.jahr; });
            if (it == u.end())
                z.insert(z.end(), 3, Leer());
            else
                z.insert(z.end(), {{it->p90, {}}, {it->p50, {}}, {it->p10, {}}});
        }
        for (const CFeldreihe& feld : felder)
            z.push_back({d.rate ? feld.rate[i] : feld.produktion[i], {}});
        t.Zeile(std::move(z));
    }
    return t;
}

std::string JahresreihenCsv(const CJahresreihen& reihen)
{
    return TabellenCsv(Jahresreihentabelle(reihen));
}
