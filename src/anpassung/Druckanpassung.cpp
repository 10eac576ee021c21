#include "anpassung/Druckanpassung.h"

#include "model/Feldregeln.h"
#include "platform/Format.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kProzentAnteil = 0.01;
constexpr double kWasserMax = 0.99; // the field rule: below 100 %

// p/z at the initial pressure, as the forecast takes it.
double PzInitial(const CFeldwerte& f, const CGastabellen& t)
{
    const double zi = t.druck.pi == f.m_fPi ? t.druck.zi : t.gas.Zwert(f.m_fTcel, f.m_fPi, EZwertVariante::Dokument);
    return zi > 0 ? double(f.m_fPi) / zi : 0;
}

// The model p/z at cumulative gp for b = 1/G and water fraction w, with its
// derivatives by b and w.
struct CModell {
    double y = 0, dyDb = 0, dyDw = 0;
};
CModell Modell(double a, double gp, double b, double w)
{
    const double f = std::min(gp * b, 1.0);
    const double n = 1 - w * f;
    CModell m;
    m.y = a * (1 - f) / n;
    m.dyDb = a * (w - 1) / (n * n) * gp;
    m.dyDw = a * (1 - f) * f / (n * n);
    return m;
}

struct CPunkt {
    double gp = 0, y = 0, p = 0; // Mio m³, measured p/z (bar), measured pressure (bar)
};

double Quadratsumme(const std::vector<CPunkt>& pkte, double a, double b, double w)
{
    double s = 0;
    for (const CPunkt& q : pkte) {
        const double r = q.y - Modell(a, q.gp, b, w).y;
        s += r * r;
    }
    return s;
}

// Levenberg–Marquardt on (b, w), w held when `mitWasser` is false. b stays
// below 1/max Gp (the OGIP above every measured cumulative), w in [0, 0.99].
void Anpassen(const std::vector<CPunkt>& pkte, double a, bool mitWasser, double& b, double& w)
{
    double gpMax = 0;
    for (const CPunkt& q : pkte)
        gpMax = std::max(gpMax, q.gp);
    const double bMax = gpMax > 0 ? (1 - 1e-9) / gpMax : 1e300;
    double lambda = 1e-3;
    double s = Quadratsumme(pkte, a, b, w);
    for (int iter = 0; iter < 200; ++iter) {
        double jbb = 0, jbw = 0, jww = 0, gb = 0, gw = 0;
        for (const CPunkt& q : pkte) {
            const CModell m = Modell(a, q.gp, b, w);
            const double r = q.y - m.y;
            jbb += m.dyDb * m.dyDb;
            jbw += m.dyDb * m.dyDw;
            jww += m.dyDw * m.dyDw;
            gb += m.dyDb * r;
            gw += m.dyDw * r;
        }
        bool besser = false;
        for (int versuch = 0; versuch < 30 && !besser; ++versuch) {
            double db = 0, dw = 0;
            if (mitWasser) {
                const double d11 = jbb * (1 + lambda), d22 = jww * (1 + lambda);
                const double det = d11 * d22 - jbw * jbw;
                if (!(std::fabs(det) > 0))
                    return;
                db = (gb * d22 - gw * jbw) / det;
                dw = (gw * d11 - gb * jbw) / det;
            } else {
                if (!(jbb > 0))
                    return;
                db = gb / (jbb * (1 + lambda));
            }
            const double bNeu = std::clamp(b + db, bMax * 1e-9, bMax);
            const double wNeu = mitWasser ? std::clamp(w + dw, 0.0, kWasserMax) : w;
            const double sNeu = Quadratsumme(pkte, a, bNeu, wNeu);
            if (sNeu <= s) {
                const bool still = std::fabs(bNeu - b) <= 1e-13 * b && std::fabs(wNeu - w) <= 1e-12;
                b = bNeu;
                w = wNeu;
                s = sNeu;
                lambda = std::max(lambda / 10, 1e-12);
                besser = true;
                if (still)
                    return;
            } else {
                lambda *= 10;
            }
        }
        if (!besser)
            return;
    }
}

} // namespace

double PzBeiDruck(const CGastabellen& t, double p)
{
    return TabelleBeiDruck(t.pzTab, static_cast<float>(p));
}

double Bilanzdruck(const CFeldwerte& f, const CGastabellen& t, double ogip, double wasserinvasion, double kum)
{
    const double a = PzInitial(f, t);
    const double anteil = ogip > 0 ? std::min(kum / ogip, 1.0) : 1.0;
    const auto pbsz = static_cast<float>(a * (1 - anteil) / (1 - kProzentAnteil * wasserinvasion * anteil));
    int segment = 1;
    return DruckAusPz(t.pzTab, pbsz, segment);
}

CDruckanpassung Druckanpassung(const CFeldwerte& f, const CGastabellen& t, const std::vector<CMessung>& punkte,
                               bool wasserAnpassen)
{
    CDruckanpassung e;
    e.feld = f.m_sFeldname;
    e.ogipDokument = f.m_fOGIP;
    e.wasserDokument = f.m_fWasserinvasion;
    e.wasserinvasion = f.m_fWasserinvasion;
    e.punkte = static_cast<int>(punkte.size());
    const double a = PzInitial(f, t);
    if (!(a > 0)) {
        e.grund = "kein Z-Wert beim Initialdruck";
        return e;
    }
    e.pzi = a;
    std::vector<CPunkt> pkte;
    for (const CMessung& m : punkte) {
        pkte.push_back({m.kum, PzBeiDruck(t, m.druck), m.druck});
        e.gemessen.emplace_back(m.kum, pkte.back().y);
    }
    if (pkte.size() < 2) {
        e.grund = "mindestens zwei Messungen nötig";
        return e;
    }
    double gpMax = 0;
    for (const CPunkt& q : pkte)
        gpMax = std::max(gpMax, q.gp);
    if (!(gpMax > 0)) {
        e.grund = "keine Förderung zwischen den Messungen";
        return e;
    }
    for (const CPunkt& q : pkte)
        if (!(q.y < a * (1 + 1e-6)) && q.gp > 0) {
            e.grund = Format("der Druck %.1f bar liegt über dem Initialdruck", q.p);
            return e;
        }

    // Start: the straight line through pi/zi, b = Σ gp·(a − y) / (a·Σ gp²).
    double zaehler = 0, nenner = 0;
    for (const CPunkt& q : pkte) {
        zaehler += q.gp * (a - q.y);
        nenner += a * q.gp * q.gp;
    }
    double b = nenner > 0 ? std::max(zaehler / nenner, 1e-12) : 1.0 / f.m_fOGIP;
    double w = kProzentAnteil * f.m_fWasserinvasion;
    const bool mitWasser = wasserAnpassen && pkte.size() >= 3;
    b = std::min(b, (1 - 1e-9) / gpMax);
    Anpassen(pkte, a, mitWasser, b, w);

    // Covariance s²·(JᵀJ)⁻¹ at the fit.
    const int parameter = mitWasser ? 2 : 1;
    const auto n = static_cast<double>(pkte.size());
    const double s2 = n > parameter ? Quadratsumme(pkte, a, b, w) / (n - parameter) : 0;
    double jbb = 0, jbw = 0, jww = 0, druck2 = 0;
    for (const CPunkt& q : pkte) {
        const CModell m = Modell(a, q.gp, b, w);
        jbb += m.dyDb * m.dyDb;
        jbw += m.dyDb * m.dyDw;
        jww += m.dyDw * m.dyDw;
        int segment = 1;
        const double p = DruckAusPz(t.pzTab, static_cast<float>(m.y), segment);
        druck2 += (q.p - p) * (q.p - p);
    }
    double varB = 0, varW = 0;
    if (mitWasser) {
        const double det = jbb * jww - jbw * jbw;
        if (det > 0) {
            varB = s2 * jww / det;
            varW = s2 * jbb / det;
        }
    } else if (jbb > 0) {
        varB = s2 / jbb;
    }
    e.ogip = 1 / b;
    e.ogipFehler = std::sqrt(varB) / (b * b); // dG = db / b²
    e.wasserAngepasst = mitWasser;
    e.wasserinvasion = w / kProzentAnteil;
    e.wasserFehler = mitWasser ? std::sqrt(varW) / kProzentAnteil : 0;
    e.abweichung = std::sqrt(druck2 / n);
    if (!std::isfinite(e.ogip) || !std::isfinite(e.ogipFehler) || !std::isfinite(e.abweichung)) {
        CDruckanpassung keine;
        keine.feld = e.feld;
        keine.punkte = e.punkte;
        keine.ogipDokument = e.ogipDokument;
        keine.wasserDokument = e.wasserDokument;
        keine.wasserinvasion = f.m_fWasserinvasion;
        keine.pzi = e.pzi;
        keine.gemessen = e.gemessen;
        keine.grund = "die Messungen bestimmen kein OGIP";
        return keine;
    }
    return e;
}

CDruckanpassung Druckanpassung(const CFeldwerte& f, const std::vector<CMessung>& punkte, bool wasserAnpassen)
{
    return Druckanpassung(f, GastabellenBauen(f, false), punkte, wasserAnpassen);
}

CErgebnis<CFeldsatz> MitAnpassung(const CFeldsatz& satz, const CDruckanpassung& a)
{
    if (!a.Gelungen())
        return CFehler{"Für " + a.feld + " gibt es keine Anpassung: " + a.grund + "."};
    if (!satz.Lesbar())
        return CFehler{"Der Datensatz von " + a.feld + " ist nicht lesbar."};
    CFeldwerte werte = satz.Werte();
    werte.m_fOGIP = static_cast<float>(std::round(a.ogip * 10) / 10);
    if (a.wasserAngepasst)
        werte.m_fWasserinvasion = static_cast<float>(std::round(a.wasserinvasion * 10) / 10);
    if (CErgebnis<> geprueft = FeldPruefen(werte, satz.Stufen()); !geprueft)
        return CFehler{geprueft.Fehlertext()};
    CStufenTexte texte;
    for (int i = 0; i < kAnzahlStufen; ++i)
        texte[i] = StufenzeileText(satz.Stufen()[i], EStufenformat::Gelesen);
    return CFeldsatz(DatenInZeile(werte, texte));
}
