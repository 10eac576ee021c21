#include "gas/Lieferfaehigkeit.h"

#include "model/Einheiten.h"

#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <cmath>

namespace {

// Single-precision constants as the correlations were published with them.
constexpr double kPi = static_cast<double>(3.14159f);
constexpr double kSaeule = static_cast<double>(kSaeulenKonstante);
constexpr double kReibung = static_cast<double>(0.03f);

double Bohrlochradius(const CFeldwerte& f)
{
    return f.m_fSteigrohrDi / 200.0;
}

// ln(re/rw) − 0.75 of the radial inflow.
double RadialNenner(const CFeldwerte& f)
{
    return std::log(200.0 * f.m_fEinflussradius / f.m_fSteigrohrDi) - 0.75;
}

// F(x) of Babu & Odeh, mirrored at x = 1.
double BabuOdehF(double x)
{
    if (x <= 1.0)
        return -x * (std::log(x) + 0.145 - 0.137 * x * x);
    const double u = 2.0 - x;
    return u * (std::log(u) + 0.145 - 0.137 * u * u);
}

} // namespace

CSchraegbohrung CwertSlant(const CFeldwerte& f, double c1)
{
    const double kh = f.m_fPermHorizontal, kv = f.m_fPermVertikal;
    const double he = f.m_fMaechtigkeitErbohrt, h = f.m_fMaechtigkeitBankrecht;
    const double d = f.m_fSteigrohrDi;
    const double alpha = std::sqrt(kh / kv);
    const double r = he / h;
    const double gamma = std::sqrt(kv / kh + (1.0 - kv / kh) / (r * r));
    // 0.02·d is 4·rw, 0.005·d is rw.
    CSchraegbohrung s;
    s.m_dSkin = std::log(0.02 * d / (he * alpha * gamma)) +
                std::log(std::sqrt(r * gamma) * h * 0.5 * alpha / (0.005 * d * (1.0 / gamma + 1.0))) / (r * gamma);
    const double sd = s.m_dSkin / RadialNenner(f);
    s.m_dFaktor = sd > -0.9 ? 1.0 / (1.0 + sd) : 10.0;
    s.m_dC = c1 * s.m_dFaktor;
    return s;
}

double SrBabuOdeh(const CFeldwerte& f, double pxyz, double y0, double lnch, double a, CHorizontalbohrung* diagnose)
{
    (void)lnch; // only traced
    const double l = f.m_fHorizontallaenge, h = f.m_fMaechtigkeitBankrecht;
    const double kh = f.m_fPermHorizontal, kv = f.m_fPermVertikal;
    const double u = 0.5 * l / a;
    const double yl0 = -u * (std::log(u) + 0.145 - 0.137 * u * u);
    const double yl1 = (4.0 * y0 + l) / (2.0 * a);
    const double yl2 = (4.0 * y0 - l) / (2.0 * a);
    const double pxy = (2.0 * a * a / (l * h)) * std::sqrt(kv / kh) * (yl0 + 0.5 * (BabuOdehF(yl1) - BabuOdehF(yl2)));
    const double sr = pxyz + pxy;
    if (diagnose) {
        diagnose->m_dPXY_ = pxy;
        diagnose->m_dSR = sr;
    }
    return sr;
}

CHorizontalbohrung CwertHorizontal(const CFeldwerte& f, const CGaseigenschaften& gas, IMeldungen& meldungen)
{
    const double t = f.m_fTcel, pc = f.m_fReferenzdruck, re = f.m_fEinflussradius;
    const double h = f.m_fMaechtigkeitBankrecht, l = f.m_fHorizontallaenge;
    const double kh = f.m_fPermHorizontal, kv = f.m_fPermVertikal;
    const double rw = Bohrlochradius(f);
    const double z = ZwertDialog(gas, t, pc, meldungen);
    const double mu = gas.Viskos(t, pc, EZwertVariante::Dialog);
    const double tk = t + kKelvinNull;

    CHorizontalbohrung e;
    // The circular drainage area as a square of the same area, well in its centre.
    const double a = std::sqrt(kPi) * re;
    const double x0 = a / 2.0, y0 = a / 2.0;
    const double q = 1.0 / 3.0 - x0 / a + (x0 / a) * (x0 / a);
    const double anis = std::sqrt(kv / kh);
    e.m_dA = a;
    e.m_dLNCH = 6.28 * (a / h) * anis * q - 0.5 * std::log((a / h) * anis) - 1.088;
    e.m_dPXYZ = (a / l - 1.0) * (std::log(h / rw) + 0.25 * std::log(kh / kv) - 1.05);
    const double sr = SrBabuOdeh(f, e.m_dPXYZ, y0, e.m_dLNCH, a, &e);
    e.m_dKlammer = std::log(a / rw) + e.m_dLNCH - 0.75 + sr;
    e.m_dCH = 0.299 * std::sqrt(kh * kv) * a / (z * tk * mu * e.m_dKlammer);
    e.m_dCV =
        0.299 * kh * h / ((std::log(a / rw) + 6.26 * q - std::log(std::sin(3.1415925 * y0 / a)) - 1.838) * z * tk * mu);
    e.m_dBorisov =
        0.299 * kh * h / ((std::log(4.0 * re / l) + (h / l) * std::log(h / (6.28 * rw)) - 0.5) * mu * z * tk);
    return e;
}

CVorschlag KonstanteABC(const CFeldwerte& f, const CGaseigenschaften& gas, IMeldungen& meldungen)
{
    CVorschlag v;
    const double zc = ZwertDialog(gas, f.m_fTcel, f.m_fReferenzdruck, meldungen);
    const double muc = gas.Viskos(f.m_fTcel, f.m_fReferenzdruck, EZwertVariante::Dialog);

    // Vertical well through the whole thickness: radial inflow.
    v.c1_ = 0.3 * f.m_fPermHorizontal * f.m_fMaechtigkeitBankrecht /
            (RadialNenner(f) * muc * zc * (f.m_fTcel + kKelvinNull));
    if (f.m_fMaechtigkeitErbohrt / f.m_fMaechtigkeitBankrecht > 1.0f)
        v.c1_ = CwertSlant(f, v.c1_).m_dC;
    if (f.m_fHorizontallaenge > 0)
        v.c1_ = CwertHorizontal(f, gas, meldungen).m_dCH;

    // Static gas column in the tubing, at its mean temperature and pressure.
    const double tm = (double(f.m_fTcel) + f.m_fKopftemperatur) / 2.0;
    double pw = f.m_fPi;
    double zm = 0, zt = 0;
    for (int i = 0; i < 4; ++i) {
        const double pm = (f.m_fPi + pw) / 2.0;
        zm = ZwertDialog(gas, tm, pm, meldungen);
        zt = (tm + kKelvinNull) * zm;
        if (zm > 1e-100)
            v.b1_ = std::exp(kSaeule * f.m_fTeufe * gas.m_dRhoN / zt);
        if (v.b1_ > 0) // no B1 yet: keep the estimate
            pw = f.m_fPi / std::sqrt(v.b1_);
    }
    if (zm > 1e-100)
        v.a1_ = 360.0 * std::pow(double(f.m_fSteigrohrDi), 2.5) / (std::sqrt((v.b1_ - 1.0) * 118.303 * kReibung) * zt);
    else
        meldungen.Meldung("Kein Vorschlag\nMittlerer Z-Wert=0\nTemperatur zu klein?");
    v.m_sVorschlag = Format("A1: %6.1f B1:%6.3f C-Wert:%7.4f", v.a1_, v.b1_, v.c1_);
    return v;
}
