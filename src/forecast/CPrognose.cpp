#include "forecast/CPrognose.h"

#include "doc/CKalvoDoc.h"
#include "forecast/DruckTabellen.h"
#include "model/Einheiten.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kNamensbreite = 18; // name in the reserves line
constexpr float kProzent = 0.01f;    // single-precision constant of the material balance

// Mio m³ from m³/h over half a year of H hours: H/2 · rate / 1e6.
constexpr double kHalbjahrMio = 2000000.0;

} // namespace

CPrognose::CPrognose(CKalvoDoc& doc, bool druckabhaengig) : m_Doc(doc), m_bDruckabhaengig(druckabhaengig)
{}

int CKalvoDoc::max_rate()
{
    return CPrognose(*this, false).Rechnen();
}

int CKalvoDoc::max_rate_druckabhaengig()
{
    return CPrognose(*this, true).Rechnen();
}

void CPrognose::DruckabhaengigVorbereiten()
{
    CKalvoDoc& d = m_Doc;
    const CFeldwerte& f = d.m_Feld;
    m_fZref = static_cast<float>(d.m_Gas.Zwert(f.m_fTcel, f.m_fReferenzdruck, EZwertVariante::Dokument));
    const float dichte = static_cast<float>(Dichteverhaeltnis(double(f.m_fReferenzdruck) / m_fZref, f.m_fTcel));
    m_fVisref = static_cast<float>(d.m_Gas.LeeViskositaet(dichte * d.m_Gas.m_dRhoN));
    m_fTm = static_cast<float>((double(f.m_fTcel) + f.m_fKopftemperatur) / 2.0);
    // The caller ensures B1 > 1 and a positive depth.
    m_fZm = static_cast<float>(double(kSaeulenKonstante) * f.m_fTeufe * d.m_Gas.m_dRhoN /
                               ((m_fTm + kKelvinNull) * std::log(double(f.m_fB1))));
    for (int i = 0; i < kDruckPunkte; ++i)
        d.m_fZTabRohr[i] = static_cast<float>(d.m_Gas.Zwert(m_fTm, GitterDruck(i), EZwertVariante::Dokument));
}

// Rate of all wells (m³/h) from the quadratic deliverability equation
// pbs² − B1·pwh² = q/C + q²/A1² for the rate per well q, capped at the wells'
// maximum rate; 0 before the field's first production year, without
// pressure difference, and without wells or deliverability.
float CPrognose::Lieferrate(double a1, double c, double b1, float pbs, bool vorBeginn) const
{
    if (vorBeginn || m_iNB <= 0 || !(a1 > 0) || !(c > 0))
        return 0.0f;
    const double f1 = a1 * a1 * m_iNB / (2.0 * c);
    const double f2 = 4.0 * c * c / (a1 * a1);
    const double delta = double(pbs) * pbs - b1 * m_fPwh * m_fPwh;
    float rk = 0.0f;
    if (delta > 0)
        rk = static_cast<float>(f1 * (std::sqrt(f2 * delta + 1.0) - 1.0));
    const float grenze = static_cast<float>(double(m_iNB) * m_Doc.m_Feld.m_fMaxRate);
    return std::min(rk, grenze);
}

float CPrognose::RateDruckabhaengig(float pbs, float pbsz, int j, bool vorBeginn)
{
    const CKalvoDoc& d = m_Doc;
    const float* pz = d.m_fPzTab;
    const float* vis = d.m_fVisTab;
    const float visp = static_cast<float>(vis[j - 1] + (double(vis[j]) - vis[j - 1]) * (double(pbsz) - pz[j - 1]) /
                                                           (double(pz[j]) - pz[j - 1]));
    // C scales with zref/z(pbs) and visref/visp; pbsz/pbs = 1/z(pbs).
    const float cp = static_cast<float>(m_fC * (double(m_fZref) * pbsz / pbs) * (double(m_fVisref) / visp));

    float pm = static_cast<float>((pbs + pbs / std::sqrt(double(m_fB1))) / 2.0);
    float rk = 0.0f;
    for (int pass = 1; pass <= 3; ++pass) {
        const float zp = TabelleBeiDruck(d.m_fZTabRohr, pm);
        const float b1p = static_cast<float>(std::exp(std::log(double(m_fB1)) * m_fZm / zp));
        const float a1p = static_cast<float>(double(m_fA1) * (double(m_fZm) / zp) *
                                             std::sqrt((double(m_fB1) - 1.0) / (double(b1p) - 1.0)));
        rk = std::isfinite(cp) && std::isfinite(a1p) ? Lieferrate(a1p, cp, b1p, pbs, vorBeginn) : 0.0f;
        // Without flow there is no pressure loss: pwf = pbs, pwhc from the static column.
        const double reservoirTerm = rk > 0 ? (double(rk) / m_iNB) / cp : 0.0;
        const float pwf = static_cast<float>(std::sqrt(std::max(0.0, double(pbs) * pbs - reservoirTerm)));
        const double rohrTerm = rk > 0 ? double(rk) / (double(m_iNB) * a1p) : 0.0;
        const float pwhc =
            static_cast<float>(std::sqrt(std::max(0.0, (double(pwf) * pwf - rohrTerm * rohrTerm) / b1p)));
        pm = static_cast<float>((double(pwf) + pwhc) / 2.0);
        m_Faktoren = {cp, a1p, b1p};
    }
    return rk;
}

float CPrognose::Rate(float pbs, float pbsz, int segment, bool vorBeginn)
{
    return m_bDruckabhaengig ? RateDruckabhaengig(pbs, pbsz, segment, vorBeginn)
                             : Lieferrate(m_fA1, m_fC, m_fB1, pbs, vorBeginn);
}

int CPrognose::Rechnen()
{
    CKalvoDoc& d = m_Doc;
    CFeldwerte& f = d.m_Feld; // stage rows change its working values
    const int ps = d.m_iProjektstart;
    const int fb = f.m_iFoerderbeginn;
    const long long jahre = std::clamp<long long>(static_cast<long long>(d.m_iProjektende) - ps + 1, 0, kMaxJahre);
    const int schritte = static_cast<int>(2 * jahre);
    const long long schritteVorBeginn = 2LL * (static_cast<long long>(fb) - ps);
    const std::string namePad = AufBreite(f.m_sFeldname, kNamensbreite);

    float reserve = 0, r0 = 0, r1 = 0, rA = 0, gp = 0, gpY = 0;
    int halb = 0;
    const float g0 = f.m_fKumProdBeginn;
    const float ogip = f.m_fOGIP;
    d.m_fZi = static_cast<float>(d.m_Gas.Zwert(f.m_fTcel, f.m_fPi, EZwertVariante::Dokument));
    if (!(d.m_fZi > 0)) {
        d.Meldungen().Meldung(
            Format("Das Feld %s wird nicht berechnet: kein Z-Wert beim Initialdruck.", f.m_sFeldname.c_str()));
        return -1;
    }
    if (m_bDruckabhaengig)
        DruckabhaengigVorbereiten();
    const double pzInitial = double(f.m_fPi) / d.m_fZi;

    for (int n = 1; n <= schritte; ++n) {
        if (n == 1)
            gp = g0;
        ++halb;
        if (halb == 1)
            d.StufeAnwenden((n - 1) / 2);
        m_fPwh = f.m_fKopfdruck;
        m_iH = f.m_iFoerderstunden;
        m_iNB = f.m_iBohrungen;
        m_fC = f.m_fCWert;
        m_fA1 = f.m_fA1;
        m_fB1 = f.m_fB1;
        const bool vorBeginn = n <= schritteVorBeginn;
        const int hs = vorBeginn ? 0 : m_iH;

        float pbs = 0;
        for (int k = 0; k <= 1; ++k) {
            float gpStrich = k == 0 ? gp : static_cast<float>(gp + m_iH * double(r0) / kHalbjahrMio);
            if (gpStrich > ogip)
                gpStrich = ogip;
            const double anteil = double(gpStrich) / ogip;
            const float pbsz = static_cast<float>(pzInitial * (1.0 - anteil) /
                                                  (1.0 - double(kProzent) * f.m_fWasserinvasion * anteil));
            int segment = 1;
            pbs = DruckAusPz(d.m_fPzTab, pbsz, segment);
            (k == 0 ? r0 : r1) = Rate(pbs, pbsz, segment, vorBeginn);
        }
        if (halb == 1)
            rA = r0;
        if (n == 1 && d.m_bDetailausgabe == 1)
            Kopfzeilen(g0);

        // End-of-step rate: (1,1) Padé form of r0·exp(−(1 − r1/r0)).
        float qE = 0;
        if (r0 > 0 && r1 > 0)
            qE = static_cast<float>(double(r0) * (double(r0) + r1) / (3.0 * r0 - r1));
        const float p = static_cast<float>(m_iH * (double(r0) + qE) / (2.0 * kHalbjahrMio));
        if (halb == 1)
            gpY = gp;
        gp = static_cast<float>(double(gp) + p);

        if (halb == 2) {
            const int j = n / 2;
            const float pJahr = static_cast<float>(double(gp) - gpY);
            const float qS = static_cast<float>(double(qE) * f.m_fKonsAnteil / 100.0);
            const float pAnteil = static_cast<float>(double(pJahr) * f.m_fKonsAnteil / 100.0);
            d.m_fProduktionFelder[j - 1] = static_cast<float>(double(d.m_fProduktionFelder[j - 1]) + pAnteil);
            d.m_fRateFelder[j - 1] = static_cast<float>(double(d.m_fRateFelder[j - 1]) + qS);
            reserve = static_cast<float>(double(reserve) + pAnteil);
            Jahreszeile(ps + j - 1, gp, pbs, rA, qE, pJahr, qS, pAnteil, hs);
            halb = 0;
        }
    }

    if (d.m_bFeldesreserven == 1)
        d.BerichtZeile(Format("   %s   %7.1f", namePad.c_str(), double(reserve)));
    if (d.m_bDetailausgabe == 1) {
        d.BerichtZeile(Format("  Dauerlastraten fuer das Feld %s wurden berechnet", f.m_sFeldname.c_str()));
        d.BerichtZeile("");
    }
    return 0;
}

void CPrognose::Kopfzeilen(float g0)
{
    CKalvoDoc& d = m_Doc;
    d.BerichtZeile(" ");
    d.BerichtZeile(Format("   DAUERLASTRATEN DES FELDES %s IN m*3/h", d.m_Feld.m_sFeldname.c_str()));
    d.BerichtZeile(Format("   BEI EINER KUM.ANFANGSPRODUKTION VON %5.0f Mio m*3", double(g0)));
    d.BerichtZeile("");
    if (m_bDruckabhaengig) {
        d.BerichtZeile(
            " JAHR     KUM.GAS   BODEN    ANFANGS   END   PRODUKTION    RATE    PRODUKTION    KOPF    JAHRES   BOHRUNGS");
        d.BerichtZeile(
            "        PRODUKTION SCHLIESS    RATE    RATE    JE JAHR    ANTEIL     ANTEIL     FLIESS   FOERDER   ANZAHL C-WERT  A1     B1");
        d.BerichtZeile(
            "          Mio m*3   DRUCK     m*3/h   m*3/h    Mio m*3     m*3/h     Mio m*3    DRUCK    STUNDEN                  ");
    } else {
        d.BerichtZeile(
            " JAHR    KUM.GAS    BODEN     ANFANGS   END    PRODUKTION   RATE    PRODUKTION    KOPF    JAHRES  BOHRUNGS");
        d.BerichtZeile(
            "       PRODUKTION  SCHLIESS     RATE    RATE    JE JAHR    ANTEIL     ANTEIL     FLIESS   FOERDER  ANZAHL");
        d.BerichtZeile(
            "         Mio m*3    DRUCK      m*3/h    m*3/h   Mio m*3    m*3/h     Mio m*3     DRUCK    STUNDEN        ");
    }
    d.BerichtZeile("");
}

void CPrognose::Jahreszeile(int jahr, float gp, float pbs, float rA, float qE, float pJahr, float qS, float pAnteil,
                            int hs)
{
    CKalvoDoc& d = m_Doc;
    if (d.m_bDetailausgabe != 1)
        return;
    const CFeldwerte& f = d.m_Feld;
    if (m_bDruckabhaengig)
        d.m_sText = Format(" %4d  %8.0f  %8.1f  %8.0f %7.0f %9.1f %10.0f %10.1f%9.0f %10.0f %6d %7.3f %6.1f  %5.3f",
                           jahr, double(gp), double(pbs), double(rA), double(qE), double(pJahr), double(qS),
                           double(pAnteil), double(f.m_fKopfdruck), double(hs), f.m_iBohrungen,
                           double(m_Faktoren.m_fCP), double(m_Faktoren.m_fA1p), double(m_Faktoren.m_fB1p));
    else
        d.m_sText = Format(" %4d  %8.0f  %8.1f  %9.0f %8.0f %9.1f %9.0f %10.1f %8.0f %9.0f %7d", jahr, double(gp),
                           double(pbs), double(rA), double(qE), double(pJahr), double(qS), double(pAnteil),
                           double(f.m_fKopfdruck), double(hs), f.m_iBohrungen);
    d.BerichtZeile();
}
