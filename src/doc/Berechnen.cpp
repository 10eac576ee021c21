// The calculation run: from the document's input to all results.

#include "doc/CKalvoDoc.h"

#include "forecast/CPrognose.h"
#include "forecast/DruckTabellen.h"
#include "gas/Gasbericht.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>
#include <cmath>

namespace {

// A reserve as its line in the report shows it ("%7.1f"): the chart's bar and
// the printed figure agree to the digit.
float AlsGedruckt(float reserve)
{
    float wert = 0;
    return LiesFloat(Format("%.1f", double(reserve)), wert) ? wert : 0.0f;
}

} // namespace

void CKalvoDoc::JahresreihenLoeschen()
{
    for (auto* reihe :
         {m_fRestProduktion, m_fRestRate, m_fSollProduktion, m_fSollRate, m_fProduktionFelder, m_fRateFelder, Y, Y1})
        std::fill_n(reihe, kMaxJahre, 0.0f);
    for (auto* reihe : {X, m_iVerkaufJahr, m_iRestJahr})
        std::fill_n(reihe, kMaxJahre, 0);
    for (auto* stufe : {m_fStufeKopfdruck, m_fStufeCWert, m_fStufeKonsAnteil})
        std::fill_n(stufe, kMaxStufen, 0.0f);
    for (auto* stufe : {m_iStufeAbJahr, m_iStufeBohrungen, m_iStufeFoerderstunden})
        std::fill_n(stufe, kMaxStufen, 0);
    m_Feldreihen.clear();
}

void CKalvoDoc::ErgebnisseLoeschen()
{
    JahresreihenLoeschen();
    m_saBericht.clear();
    m_NichtBerechnet.clear();
    m_iAnzahl = 0;
    m_nBerichtLaenge = 0;
    m_sTitel.clear();
    m_sUntertitel.clear();
    m_VarianteWerte = {};
}

int CKalvoDoc::FruehesterFoerderbeginn()
{
    bool erster = true;
    for (const auto& satz : m_saFelder) {
        std::string name;
        int jahr = 0;
        if (SatzkopfLesen(satz, name, jahr) < 2 || !JahrPlausibel(jahr))
            continue; // an unreadable record says nothing about the start
        if (erster || jahr < m_iProjektstart)
            m_iProjektstart = jahr;
        erster = false;
    }
    return m_iProjektstart;
}

void CKalvoDoc::Berechnen()
{
    ++m_nLaeufe;
    JahresreihenLoeschen();
    m_NichtBerechnet.clear();
    m_iProjektstart = FruehesterFoerderbeginn();
    const bool einzelfeld = EinzelfeldFinden();
    // A single field's run starts in its own first year. The profiles are
    // merged against the start the run uses, so that every summary row
    // carries its own year's sales and rest-field figures.
    if (einzelfeld)
        SatzkopfLesen(m_saFelder[static_cast<size_t>(m_iEinzelfeld)], m_sFeldname, m_iProjektstart);
    ProfilUebernehmen(false);
    ProfilUebernehmen(true);
    m_saBericht.clear();
    m_iAnzahl = AnzahlJahre(m_iProjektstart, m_iProjektende);

    if (einzelfeld) {
        Feldberechnung(m_iEinzelfeld);
        m_sText = Format("  PROJEKTSTART: %d PROJEKTENDE: %d", m_iProjektstart, m_iProjektende);
        BerichtZeile();
        BerichtZeile("");
        m_sTitel = "Einzelfeldberechnung";
        m_sUntertitel = Anzeigename(m_sEinzelfeld);
    } else {
        if (m_bFeldesreserven == 1) {
            for (const char* zeile :
                 {"", "   Zusammenstellung der Feldesreserven", "", "     Feld                (Mio m3)", ""})
                BerichtZeile(zeile);
        }
        for (int i = 0; i < static_cast<int>(m_saFelder.size()); ++i)
            Feldberechnung(i);
        m_sTitel = m_iGrafikRate == 1 ? "Rate aller Felder" : "Jahresproduktion aller Felder";
        m_sUntertitel = "";
    }

    if (m_iGrafikRate == 1) {
        m_sLegendeY = "  Ist-Rate (m3/h)  ";
        m_sLegendeY1 = "  Soll-Rate (m3/h)  ";
    } else {
        m_sLegendeY = "Ist-Produktion (Mio m3/Jahr)";
        m_sLegendeY1 = "Soll-Produktion (Mio m3/Jahr)";
    }
    m_sAchseY = "Ist";
    m_sAchseY1 = "Soll";
    m_sAchseX = "Jahre";

    if (m_bFeldesreserven == 0)
        Zusammenfassung();
    else
        ReservenGrafik(einzelfeld);
    NichtBerechneteZeilen();
    FeldergebnisseAufraeumen();
    m_nBerichtLaenge = m_saBericht.size();
    VergleichAktualisieren();
}

// The single field is chosen by its name, not by its place in the list, so
// that deleting or moving other fields never computes another field under
// the chosen name. A chosen field that is gone returns the run to all fields.
bool CKalvoDoc::EinzelfeldFinden()
{
    if (m_iEinzelfeld < 0 || m_sEinzelfeld.empty())
        return false;
    const int i = FeldIndex(m_sEinzelfeld);
    if (i < 0) {
        m_Meldungen.Meldung(Format("Das Feld %s gibt es nicht mehr; es werden alle Felder berechnet.",
                                   Anzeigename(m_sEinzelfeld).c_str()));
        m_sEinzelfeld.clear();
        m_iEinzelfeld = -1;
        return false;
    }
    m_iEinzelfeld = i;
    return true;
}

// A report whose total lacks a field says so at its end, field by field.
void CKalvoDoc::NichtBerechneteZeilen()
{
    for (const CNichtBerechnet& n : m_NichtBerechnet)
        BerichtZeile(Format("  Nicht berechnet: %s – %s", n.feld.c_str(), n.grund.c_str()));
}

void CKalvoDoc::FeldAuslassen(const std::string& name, const std::string& grund, const std::string& meldung)
{
    m_NichtBerechnet.push_back({name, grund});
    FeldMeldung(meldung);
}

// The reserves chart from the run's numbers: field number in X, the field's
// reserve in Y as the reserves line prints it (one decimal), at most 33 fields.
// A single field's run has no reserves list, so no chart of it.
void CKalvoDoc::ReservenGrafik(bool einzelfeld)
{
    int n = einzelfeld ? 0 : static_cast<int>(m_Feldreihen.size());
    if (n > kMaxJahre) {
        m_Meldungen.Meldung("Es werden maximal 33 Felder in die Grafik aufgenommen");
        n = kMaxJahre;
    }
    for (int k = 0; k < n; ++k) {
        X[k] = k;
        Y[k] = AlsGedruckt(m_Feldreihen[static_cast<size_t>(k)].reserve);
    }
    m_iAnzahl = n;
    m_sUntertitel = "Reserven aller Felder";
    m_sAchseX = "Mio m3";
    m_sAchseY = "Feld";
    m_sTitel = "";
}

int CKalvoDoc::FeldNeuBerechnen(int i)
{
    CStufen stufen{};
    CFeldwerte feld;
    if (FeldzeileLesen(m_saFelder[i], feld, stufen) != kWerteJeSatz) {
        const std::string name = Anzeigename(ErstesWort(m_saFelder[i]));
        m_sText = Format("Der %d. Feldsatz (Feld %s) ist unlesbar und wird nicht berechnet.", i + 1,
                         AufBreite(name, std::min<size_t>(AnzahlZeichen(name), 40)).c_str());
        FeldAuslassen(name, "der Feldsatz ist unlesbar", m_sText);
        return -1;
    }
    feld.m_sFeldname = Anzeigename(feld.m_sFeldname); // the report and the CSV show it
    m_Feld = feld;
    m_sFeldname = feld.m_sFeldname;
    m_iFoerderbeginn = feld.m_iFoerderbeginn;
    for (int k = 0; k < kAnzahlStufen; ++k) {
        m_iStufeAbJahr[k] = stufen[k].m_iStufeAbJahr;
        m_iStufeFoerderstunden[k] = stufen[k].m_iStufeFoerderstunden;
        m_fStufeKopfdruck[k] = stufen[k].m_fStufeKopfdruck;
        m_iStufeBohrungen[k] = stufen[k].m_iStufeBohrungen;
        m_fStufeCWert[k] = stufen[k].m_fStufeCWert;
        m_fStufeKonsAnteil[k] = stufen[k].m_fStufeKonsAnteil;
    }
    if (!FelddatenBrauchbar())
        return -1;

    m_Gas.Gaseigenschaften(m_Feld.m_fAnteil, m_Feld.m_fTcel);
    if (m_bDetailausgabe == 1)
        GasberichtSchreiben(m_Feld, m_Gas, m_saBericht);
    return DruckTabellen();
}

// Values the dialog never writes but a hand-edited file can hold would make
// the forecast divide by zero. Such a field is left out of the run with a
// message naming it.
bool CKalvoDoc::FelddatenBrauchbar()
{
    const CFeldwerte& f = m_Feld;
    double summe = 0;
    for (float a : f.m_fAnteil)
        summe += a;
    const char* grund = nullptr;
    if (!(summe > 0))
        grund = "die Gaszusammensetzung fehlt";
    else if (!(f.m_fOGIP > 0))
        grund = "das OGIP ist nicht größer als 0";
    else if (!(f.m_fPi > 0))
        grund = "der Initialdruck ist nicht größer als 0";
    else if (!(f.m_fWasserinvasion < 100))
        grund = "die Wasserinvasion ist nicht kleiner als 100 %";
    if (grund) {
        m_sText = Format("Das Feld %s wird nicht berechnet: %s.", f.m_sFeldname.c_str(), grund);
        FeldAuslassen(f.m_sFeldname, grund, m_sText);
        return false;
    }
    if (!(f.m_fA1 > 0) || !(f.m_fCWert > 0) || f.m_iBohrungen <= 0) {
        m_sText = Format("Das Feld %s liefert keine Rate, solange A1, C-Wert oder Bohrungsanzahl "
                         "nicht größer als 0 sind.",
                         f.m_sFeldname.c_str());
        FeldMeldung(m_sText);
    }
    return true;
}

int CKalvoDoc::DruckTabellen()
{
    DruckTabellenBauen(m_Gas, m_Feld.m_fTcel, m_fPzTab, m_fVisTab);
    if (std::any_of(std::begin(m_fPzTab), std::end(m_fPzTab),
                    [](float pz) { return !(pz > 0) || !std::isfinite(pz); })) {
        m_sText = Format("Das Feld %s wird nicht berechnet: für das Gas ist kein Z-Wert zu finden "
                         "(Lagerstättentemperatur zu niedrig?).",
                         m_Feld.m_sFeldname.c_str());
        FeldAuslassen(m_Feld.m_sFeldname, "für das Gas ist kein Z-Wert zu finden", m_sText);
        return -1;
    }
    if (m_Feld.m_bDruckabhaengig == 1) {
        // The pressure-dependent factors need a gas column: B1 > 1 and a depth.
        if (m_Feld.m_fB1 > 1.0f && m_Feld.m_fTeufe > 0.0f)
            return max_rate_druckabhaengig();
        m_sText = Format("Das Feld %s wird mit konstanten Faktoren gerechnet: druckabhängige Faktoren "
                         "brauchen B1 größer als 1 und eine Teufe größer als 0.",
                         m_Feld.m_sFeldname.c_str());
        FeldMeldung(m_sText);
    }
    return max_rate();
}

int CKalvoDoc::max_rate()
{
    return PrognoseHinzufuegen(false);
}

int CKalvoDoc::max_rate_druckabhaengig()
{
    return PrognoseHinzufuegen(true);
}

// Runs the forecast of the field being computed on the document's working
// values and adds its result: the share into the year series of all fields,
// its lines to the report, the working values it ends with.
int CKalvoDoc::PrognoseHinzufuegen(bool druckabhaengig)
{
    CPrognoseEingabe e;
    e.feld = m_Feld;
    for (int k = 0; k < kAnzahlStufen; ++k)
        e.stufen[k] = {m_iStufeAbJahr[k],    m_iStufeFoerderstunden[k], m_fStufeKopfdruck[k],
                       m_iStufeBohrungen[k], m_fStufeCWert[k],          m_fStufeKonsAnteil[k]};
    e.gas = &m_Gas;
    e.pzTab = m_fPzTab;
    e.visTab = m_fVisTab;
    e.projektstart = m_iProjektstart;
    e.projektende = m_iProjektende;
    e.detail = m_bDetailausgabe == 1;
    e.reserven = m_bFeldesreserven == 1;
    e.druckabhaengig = druckabhaengig;
    const CPrognoseErgebnis r = Prognose(e, m_Meldungen);
    m_fZi = r.zi;
    if (r.status != 0) {
        m_NichtBerechnet.push_back({m_Feld.m_sFeldname, "kein Z-Wert beim Initialdruck"});
        return r.status;
    }
    m_Feld = r.feld;
    if (druckabhaengig)
        std::copy(std::begin(r.zTabRohr), std::end(r.zTabRohr), m_fZTabRohr);
    std::copy(std::begin(r.produktion), std::end(r.produktion), m_Feldergebnis.produktion);
    std::copy(std::begin(r.rate), std::end(r.rate), m_Feldergebnis.rate);
    m_Feldergebnis.reserve = r.reserve;
    AnteilHinzufuegen(m_sFeldname, r.produktion, r.rate, r.reserve);
    m_saBericht.insert(m_saBericht.end(), r.bericht.begin(), r.bericht.end());
    if (!r.bericht.empty())
        m_sText = r.bericht.back(); // the scratch text holds the last line formatted
    return 0;
}
