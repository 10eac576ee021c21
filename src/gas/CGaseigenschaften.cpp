#include "gas/CGaseigenschaften.h"

#include "model/Einheiten.h"

#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <cmath>

namespace {

struct CKomponente {
    const char* name; // 16 characters, for the report
    float molgewicht; // kg/kmol
    float pkrit;      // psia
    float tkrit;      // °R
};

// Single-precision constants, as the correlations were tabulated.
// clang-format off
constexpr CKomponente kKomponenten[kAnzahlKomponenten] = {
    {"SCHWEFELWASSERST", 34.076f, 1306.0f, 672.7f},
    {"KOHLENDIOXID    ", 44.01f, 1073.0f, 548.0f},
    {"STICKSTOFF      ", 28.016f, 492.0f, 227.2f},
    {"METHAN          ", 16.042f, 673.1f, 343.5f},
    {"AETHAN          ", 30.068f, 708.3f, 550.1f},
    {"PROPAN          ", 44.094f, 617.4f, 666.3f},
    {"I-BUTAN         ", 58.12f, 529.1f, 735.0f},
    {"N-BUTAN         ", 58.12f, 550.7f, 765.6f},
    {"I-PENTAN        ", 72.146f, 483.0f, 830.0f},
    {"N-PENTAN        ", 72.146f, 489.5f, 845.9f},
    {"HEXAN           ", 86.172f, 439.7f, 914.5f},
    {"HEPTAN          ", 100.198f, 396.9f, 972.6f},
    {"OKTAN           ", 114.224f, 362.1f, 1025.2f},
    {"NONAN           ", 128.25f, 345.0f, 1073.0f},
    {"DECAN           ", 142.276f, 320.0f, 1115.0f},
};
// clang-format on

// Hall–Yarborough in the reduced density y, at reduced pressure pr and 1/Tr = t.
struct CHallYarborough {
    double a1, b, c1, d, pr;

    CHallYarborough(double t, double pr_) : pr(pr_)
    {
        a1 = 0.06125 * t * std::exp(-1.2 * (1.0 - t) * (1.0 - t));
        b = 14.76 * t - 9.76 * t * t + 4.58 * t * t * t;
        c1 = 90.7 * t - 242.0 * t * t + 42.4 * t * t * t;
        d = 2.18 + 2.82 * t;
    }
    double F(double y) const
    {
        const double y2 = y * y, y3 = y2 * y, y4 = y3 * y;
        const double e = 1.0 - y;
        return -a1 * pr + (y + y2 + y3 - y4) / (e * e * e) - b * y2 + c1 * std::pow(y, d);
    }
    double Fstrich(double y) const
    {
        const double y2 = y * y, y3 = y2 * y, y4 = y3 * y;
        const double e = 1.0 - y;
        return (1.0 + 4.0 * y + 4.0 * y2 - 4.0 * y3 + y4) / (e * e * e * e) - 2.0 * b * y +
               d * c1 * std::pow(y, d - 1.0);
    }
};

// Dialog bound |1000·F| < 1e-4, the 1e-4 held in single precision.
constexpr double kSchrankeDialog = static_cast<double>(1e-4f) / 1000.0;
constexpr double kSchrankeDokument = 1e-6;
constexpr int kNewtonSchritte = 30;
constexpr int kBisektionsSchritte = 100;

} // namespace

const char* KomponentenName(int i)
{
    return kKomponenten[i].name;
}

void CGaseigenschaften::Gaseigenschaften(const std::array<float, kAnzahlKomponenten>& anteil, double tcel)
{
    double summe = 0;
    for (float a : anteil)
        summe += a;
    double mg = 0, ppc = 0, tpc = 0;
    for (int i = 0; i < kAnzahlKomponenten; ++i) {
        m_fAnteilKorr[i] = static_cast<float>(anteil[i] * 100.0 / summe);
        const double korr = m_fAnteilKorr[i];
        mg += kKomponenten[i].molgewicht * korr / 100.0;
        ppc += kKomponenten[i].pkrit * korr / 100.0;
        tpc += kKomponenten[i].tkrit * korr / 100.0;
    }
    m_dMolgewicht = mg;
    m_fMolgewicht = static_cast<float>(mg);
    m_dRhoN = 10330.0 * mg / 231504.0; // 231504 = 848 · 273
    m_dPpc = ppc;
    m_dTpc = tpc;

    // Wichert–Aziz: A = mole fraction CO2 + H2S, B = mole fraction H2S.
    const double a = (double(m_fAnteilKorr[0]) + m_fAnteilKorr[1]) / 100.0;
    const double b = m_fAnteilKorr[0] / 100.0;
    m_dEpsilon = 120.0 * (std::pow(a, 0.9) - std::pow(a, 1.6)) + 15.0 * (std::pow(b, 0.5) - std::pow(b, 4.0));
    m_dTca = tpc - m_dEpsilon;
    m_dPca = ppc * m_dTca / (tpc + b * (1.0 - b) * m_dEpsilon);

    const double tr = Rankine(tcel);
    m_dLeeK = (9.4 + 0.02 * mg) * std::pow(tr, 1.5) / (209.0 + 19.0 * mg + tr);
    m_dLeeX = 3.5 + 986.0 / tr + 0.01 * mg;
    m_dLeeY = 2.4 - 0.2 * m_dLeeX;
}

double CGaseigenschaften::Zwert(double tcel, double p, EZwertVariante variante) const
{
    const double pr = kPsiaJeBar * p / m_dPca;
    const double tr = Rankine(tcel) / m_dTca;
    const CHallYarborough hy(1.0 / tr, pr);
    const bool dialog = variante == EZwertVariante::Dialog;
    const double schranke = dialog ? kSchrankeDialog : kSchrankeDokument;

    // Once Newton has converged, y repeats (or alternates between two
    // neighbours); the last two evaluations are kept so that a repeated y costs
    // no new powers. The sequence of values is exactly that of the plain loop.
    struct CWert {
        double y = -1, f = 0, fs = 0;
    } letzte[2];
    const auto auswerten = [&](double y) -> const CWert& {
        for (const CWert& w : letzte)
            if (w.y == y)
                return w;
        letzte[1] = letzte[0];
        letzte[0] = {y, hy.F(y), hy.Fstrich(y)};
        return letzte[0];
    };

    double z = 0;
    bool getroffen = false;
    double y = 0.001;
    for (int i = 0; i < kNewtonSchritte; ++i) {
        if (y > 1.0)
            y = 0.6;
        if (y <= 0.0)
            y = 0.001;
        const CWert w = auswerten(y);
        if (std::fabs(w.f) < schranke) {
            z = hy.a1 * pr / y;
            getroffen = true;
            if (dialog)
                return z;
        }
        y = y - w.f / w.fs;
    }
    if (getroffen)
        return z;

    // Newton did not converge (it can cycle at high reduced pressures):
    // bisect on the reduced density, where F rises from -a1·pr at y = 0.
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < kBisektionsSchritte; ++i) {
        y = (lo + hi) / 2.0;
        const double f = hy.F(y);
        if (std::fabs(f) < schranke)
            return hy.a1 * pr / y;
        if (f < 0)
            lo = y;
        else
            hi = y;
    }
    return -1.0;
}

double CGaseigenschaften::LeeViskositaet(double rho) const
{
    return m_dLeeK * std::exp(m_dLeeX * std::pow(rho / 1000.0, m_dLeeY)) / 10000.0;
}

double CGaseigenschaften::Viskos(double tcel, double p, EZwertVariante variante) const
{
    const double tr = Rankine(tcel);
    const double mg = m_dMolgewicht;
    const double k = (9.4 + 0.02 * mg) * std::pow(tr, 1.5) / (209.0 + 19.0 * mg + tr);
    const double x = 3.5 + 986.0 / tr + 0.01 * mg;
    const double y = 2.4 - 0.2 * x;
    const double z = Zwert(tcel, p, variante);
    const double rho = m_dRhoN * Dichteverhaeltnis(p / z, tcel);
    return k * std::exp(x * std::pow(rho / 1000.0, y)) / 10000.0;
}

double ZwertDialog(const CGaseigenschaften& gas, double tcel, double p, IMeldungen& meldungen)
{
    const double z = gas.Zwert(tcel, p, EZwertVariante::Dialog);
    if (z <= 0)
        meldungen.Meldung(Format("ERROR!! Z<0 Temperatur:%f Druck:%f\n", tcel, p));
    return z;
}

bool GaseigenschaftenDialog(const CFeldwerte& feld, bool anzeigen, IMeldungen& meldungen, CGaseigenschaften& gas,
                            std::string* ergebnisText)
{
    gas.Gaseigenschaften(feld.m_fAnteil, feld.m_fTcel);
    const double tr = Rankine(feld.m_fTcel) / gas.m_dTca;

    const double zi = ZwertDialog(gas, feld.m_fTcel, feld.m_fPi, meldungen);
    if (zi < 0) {
        meldungen.Meldung(Format("Zi-Wert<0 \nReduzierte Temperatur Tr:%f\nReduzierter Druck Pr:%f", tr,
                                 kPsiaJeBar * feld.m_fPi / gas.m_dPca));
        return false;
    }
    if (tr <= 1.0) {
        meldungen.Meldung("Pseudoreduzierte Temperatur<=1\nFalsche Gaszusammensetzng?");
        return false;
    }
    const double zc = ZwertDialog(gas, feld.m_fTcel, feld.m_fReferenzdruck, meldungen);
    const double tpcK = KelvinAusRankine(gas.m_dTpc);
    const double tcaK = KelvinAusRankine(gas.m_dTca);
    const std::string text =
        Format("Gaseigenschaften des Feldes: %s\nKonstante zur Berechnung der Viskosität nach Lee\n"
               "K: %8.3f X:%6.3f Y:%6.3f\nPseudokritische Werte für Druck und Temperatur\n"
               "Druck(Bar): %7.2f Temperatur(°K): %7.2f\nNachKorrektur wegen CO2 und H2S\n"
               "Druck(Bar): %7.2f Temperatur(°K): %7.2f\n"
               "Temperaturkor.(°K):%7.3f Pseudered.Temperatur(-): %7.3f\n"
               "Molekulargewicht: %7.2f Gasdichte unter Normalbedingung:%7.3f\n"
               "Relative Gasdichte (Luft=1): %6.3f\nZ-Wert beim Druck von  %g Bar: %6.3f",
               feld.m_sFeldname.c_str(), gas.m_dLeeK, gas.m_dLeeX, gas.m_dLeeY, gas.m_dPpc / kPsiaJeBar, tpcK,
               gas.m_dPca / kPsiaJeBar, tcaK, tpcK - tcaK, tr, double(gas.m_fMolgewicht), gas.m_dRhoN,
               gas.m_fMolgewicht / kMolgewichtLuft, double(feld.m_fReferenzdruck), zc);
    if (ergebnisText)
        *ergebnisText = text;
    if (anzeigen)
        meldungen.Meldung(text);
    return true;
}
