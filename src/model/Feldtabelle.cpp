#include "model/Feldtabelle.h"

#include "model/Feldregeln.h"
#include "platform/Cp1252.h"
#include "platform/Csv.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

// The header of the 65 columns, in the order of a record's values.
// clang-format off
constexpr std::array<const char*, 41> kKopf = {
    "Feld", "Startjahr",
    "H2S (mol-%)", "CO2 (mol-%)", "N2 (mol-%)", "CH4 (mol-%)", "C2H6 (mol-%)", "C3H8 (mol-%)",
    "iC4H10 (mol-%)", "nC4H10 (mol-%)", "iC5H12 (mol-%)", "nC5H12 (mol-%)", "C6H14 (mol-%)",
    "C7H16 (mol-%)", "C8H18 (mol-%)", "C9H20 (mol-%)", "C10H22 (mol-%)",
    "Lagerstättentemperatur (°C)", "Kopftemperatur (°C)", "OGIP (Mio m3)", "Initialdruck (bar)",
    "Horizont. Permeabilität (mD)", "Vert. Permeabilität (mD)", "Bankrechte Mächtigkeit (m)",
    "Erbohrte Mächtigkeit (m)", "Einflussradius (m)", "Lagerstättenteufe (m)", "Steigrohrdurchmesser (cm)",
    "Horizontalbohrlänge (m)", "Kum. Anfangsproduktion (Mio m3)", "Kopffließdruck (bar)", "Bohrungsanzahl",
    "Max. Entnahmerate (m3/h)", "Max. Wasserinvasion (%)", "Förderstunden je Jahr (h)",
    "Druck beim C-Wert (bar)", "Konsortialanteil (%)", "A1", "B1", "C-Wert", "Faktoren druckabhängig (0/1)",
};
constexpr std::array<const char*, 6> kStufenkopf = {
    "ab Jahr", "Förderstunden (h)", "Kopffließdruck (bar)", "Bohrungsanzahl", "C-Wert", "Konsortialanteil (%)",
};
// clang-format on

std::vector<std::string> Spalten()
{
    std::vector<std::string> s(kKopf.begin(), kKopf.end());
    for (int k = 1; k <= kAnzahlStufen; ++k)
        for (const char* t : kStufenkopf)
            s.push_back(Format("Stufe %d ", k) + t);
    return s;
}

} // namespace

std::vector<std::string> FeldtabellenKopf()
{
    return Spalten();
}

std::vector<double> FeldtabellenWerte(const CFeldsatz& satz)
{
    const CFeldwerte& f = satz.Werte();
    std::vector<double> w = {double(f.m_iFoerderbeginn)};
    w.insert(w.end(), f.m_fAnteil.begin(), f.m_fAnteil.end());
    for (const float v : {f.m_fTcel, f.m_fKopftemperatur, f.m_fOGIP, f.m_fPi, f.m_fPermHorizontal, f.m_fPermVertikal,
                          f.m_fMaechtigkeitBankrecht, f.m_fMaechtigkeitErbohrt, f.m_fEinflussradius, f.m_fTeufe,
                          f.m_fSteigrohrDi, f.m_fHorizontallaenge, f.m_fKumProdBeginn, f.m_fKopfdruck})
        w.push_back(v);
    w.push_back(f.m_iBohrungen);
    w.push_back(f.m_fMaxRate);
    w.push_back(f.m_fWasserinvasion);
    w.push_back(f.m_iFoerderstunden);
    for (const float v : {f.m_fReferenzdruck, f.m_fKonsAnteil, f.m_fA1, f.m_fB1, f.m_fCWert})
        w.push_back(v);
    w.push_back(f.m_bDruckabhaengig);
    for (const CStufenzeile& s : satz.Stufen())
        w.insert(w.end(), {double(s.m_iStufeAbJahr), double(s.m_iStufeFoerderstunden), s.m_fStufeKopfdruck,
                           double(s.m_iStufeBohrungen), s.m_fStufeCWert, s.m_fStufeKonsAnteil});
    return w;
}

std::string FeldtabelleCsv(const CFeldsaetze& felder)
{
    const std::vector<std::string> spalten = Spalten();
    std::string csv = "\xEF\xBB\xBF";
    for (size_t i = 0; i < spalten.size(); ++i)
        csv += (i ? ";" : "") + spalten[i];
    csv += "\r\n";
    for (const CFeldsatz& satz : felder) {
        // The record's own value texts: its white-space separated tokens.
        const std::vector<std::string_view> werte = Woerter(satz.Text());
        for (size_t i = 0; i < spalten.size(); ++i) {
            std::string zelle(i < werte.size() ? werte[i] : std::string_view());
            if (i == 0) // a name is text to a spreadsheet, never a formula
                zelle = CsvText(zelle);
            else // a German spreadsheet reads a decimal comma
                std::replace(zelle.begin(), zelle.end(), '.', ',');
            csv += (i ? ";" : "") + zelle;
        }
        csv += "\r\n";
    }
    return csv;
}

namespace {

// More columns than a table of fields has, with room for a spreadsheet's own.
constexpr size_t kMaxZellen = 1000;

CFehler ZeilenFehler(int nr, const std::string& text)
{
    return CFehler{Format("Zeile %d: ", nr) + text};
}

// The file's column of each value, from the heading (any order, any case).
CErgebnis<std::vector<size_t>> Spaltenorte(const std::vector<std::string>& kopf,
                                           const std::vector<std::string>& spalten)
{
    std::vector<size_t> wo(spalten.size());
    for (size_t i = 0; i < spalten.size(); ++i) {
        const auto it = std::find_if(kopf.begin(), kopf.end(), [&](const std::string& c) {
            return KleinSchreibung(c) == KleinSchreibung(spalten[i]);
        });
        if (it == kopf.end())
            return ZeilenFehler(1, "Die Spalte „" + spalten[i] + "“ fehlt.");
        wo[i] = static_cast<size_t>(it - kopf.begin());
    }
    return wo;
}

// Whether the table writes its numbers with a decimal comma: decided once,
// from every value cell (the names left out).
EZahlschreibung SchreibungDerTabelle(const CCsvTabelle& tabelle, size_t namensspalte)
{
    for (size_t nr = 1; nr < tabelle.size(); ++nr)
        for (size_t k = 0; k < tabelle[nr].size(); ++k)
            if (k != namensspalte && HatDezimalkomma(tabelle[nr][k]))
                return EZahlschreibung::Dezimalkomma;
    return EZahlschreibung::Dezimalpunkt;
}

// The record text of one row: its name and the values with a decimal point.
CErgebnis<std::string> Satztext(const std::vector<std::string>& z, const std::vector<size_t>& wo,
                                const std::vector<std::string>& spalten, EZahlschreibung schreibung)
{
    std::string satz;
    for (size_t i = 0; i < spalten.size(); ++i) {
        std::string zelle = wo[i] < z.size() ? z[wo[i]] : std::string();
        if (i == 0) {
            zelle = std::string(CsvTextLesen(zelle));
            if (const CErgebnis<> name = FeldnamePruefen(zelle); !name)
                return CFehler{name.Fehlertext()};
        } else {
            if (const CErgebnis<float> wert = ZahlLesen(zelle, schreibung); !wert)
                return CFehler{"„" + spalten[i] + "“ („" + Zitat(zelle) + "“) " + wert.Fehlertext()};
            std::replace(zelle.begin(), zelle.end(), ',', '.');
        }
        satz += (i ? " " : "") + zelle;
    }
    return satz;
}

} // namespace

CErgebnis<CFeldsaetze> FeldtabelleLesen(std::string_view bytes)
{
    const std::string text = TextAusDatei(bytes);
    const std::vector<std::string> spalten = Spalten();
    const CErgebnis<CCsvTabelle> tabelle = CsvTabelle(text, kMaxZellen);
    if (!tabelle)
        return CFehler{tabelle.Fehlertext()};
    if (tabelle->empty())
        return CFehler{"Die Tabelle enthält kein Feld."};
    const CErgebnis<std::vector<size_t>> wo = Spaltenorte((*tabelle)[0], spalten);
    if (!wo)
        return CFehler{wo.Fehlertext()};
    const EZahlschreibung schreibung = SchreibungDerTabelle(*tabelle, (*wo)[0]);
    std::map<std::string, int> namen; // field name → line
    CFeldsaetze felder;
    for (int nr = 2; nr <= static_cast<int>(tabelle->size()); ++nr) {
        const std::vector<std::string>& z = (*tabelle)[static_cast<size_t>(nr - 1)];
        if (CsvLeer(z))
            continue;
        const CErgebnis<std::string> satz = Satztext(z, *wo, spalten, schreibung);
        if (!satz)
            return ZeilenFehler(nr, satz.Fehlertext());
        const std::string name = std::string(ErstesWort(*satz));
        if (const auto [it, neu] = namen.try_emplace(name, nr); !neu)
            return ZeilenFehler(nr, Format("Das Feld %s steht schon in Zeile %d.", Zitat(name).c_str(), it->second));
        if (const CErgebnis<> lesbar = FeldsatzPruefen(*satz); !lesbar)
            return ZeilenFehler(nr, lesbar.Fehlertext());
        CFeldsatz feld(*satz);
        if (const CErgebnis<> regel = FeldVollstaendigPruefen(feld.Werte(), feld.Stufen()); !regel)
            return ZeilenFehler(nr, Zitat(name) + ": " + regel.Fehlertext());
        felder.push_back(std::move(feld));
    }
    if (felder.empty())
        return CFehler{"Die Tabelle enthält kein Feld."};
    return felder;
}
