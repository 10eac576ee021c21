#include "summary/Jahresreihen.h"

#include "doc/CKalvoDoc.h"
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

std::string JahresreihenCsv(const CKalvoDoc& d)
{
    std::string csv = "\xEF\xBB\xBF";
    csv += "Jahr;Restfelder Produktion (Mio m3);Restfelder Rate (m3/h);"
           "Ist-Produktion (Mio m3);Ist-Rate (m3/h);Soll-Produktion (Mio m3);Soll-Rate (m3/h);"
           "Produktion der Felder (Mio m3);Rate der Felder (m3/h)\r\n";
    for (int i = 0; i < kMaxJahre && static_cast<long long>(d.m_iProjektstart) + i <= d.m_iProjektende; ++i) {
        const float istProduktion = static_cast<float>(double(d.m_fRestProduktion[i]) + d.m_fProduktionFelder[i]);
        const double istRate = double(d.m_fRateFelder[i]) + d.m_fRestRate[i];
        csv += Format("%d", d.m_iProjektstart + i) + ";" + Menge(d.m_fRestProduktion[i]) + ";" +
               Rate(d.m_fRestRate[i]) + ";" + Menge(istProduktion) + ";" + Rate(istRate) + ";" +
               Menge(d.m_fSollProduktion[i]) + ";" + Rate(d.m_fSollRate[i]) + ";" + Menge(d.m_fProduktionFelder[i]) +
               ";" + Rate(d.m_fRateFelder[i]) + "\r\n";
    }
    return csv;
}
