#include "summary/Jahresreihen.h"

#include "model/Grenzen.h"
#include "platform/Format.h"

#include <algorithm>

namespace {

std::string Dezimalkomma(std::string zahl)
{
    std::replace(zahl.begin(), zahl.end(), '.', ',');
    return zahl;
}

std::string Menge(float v)
{
    return Dezimalkomma(Format("%.3f", double(v)));
}
std::string Rate(double v)
{
    return Dezimalkomma(Format("%.1f", v));
}

} // namespace

std::string JahresreihenCsv(const CJahresreihen& d)
{
    std::string csv = "\xEF\xBB\xBF";
    csv += "Jahr;Restfelder Produktion (Mio m3);Restfelder Rate (m3/h);"
           "Ist-Produktion (Mio m3);Ist-Rate (m3/h);Soll-Produktion (Mio m3);Soll-Rate (m3/h);"
           "Produktion der Felder (Mio m3);Rate der Felder (m3/h)\r\n";
    for (int i = 0; i < kMaxJahre && static_cast<long long>(d.projektstart) + i <= d.projektende; ++i) {
        const float istProduktion = static_cast<float>(double(d.restProduktion[i]) + d.produktionFelder[i]);
        const double istRate = double(d.rateFelder[i]) + d.restRate[i];
        csv += Format("%d", d.projektstart + i) + ";" + Menge(d.restProduktion[i]) + ";" + Rate(d.restRate[i]) + ";" +
               Menge(istProduktion) + ";" + Rate(istRate) + ";" + Menge(d.sollProduktion[i]) + ";" +
               Rate(d.sollRate[i]) + ";" + Menge(d.produktionFelder[i]) + ";" + Rate(d.rateFelder[i]) + "\r\n";
    }
    return csv;
}
