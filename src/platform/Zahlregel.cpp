#include "platform/Zahlregel.h"

#include "platform/Format.h"

#include <algorithm>
#include <cmath>

namespace {

std::string_view Getrimmt(std::string_view s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool IstZiffer(char c)
{
    return c >= '0' && c <= '9';
}

// Hexadecimal floats ("0x1p3") and "inf" are C's, not a person's numbers.
bool NurDezimal(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) {
        return IstZiffer(c) || c == '.' || c == ',' || c == '-' || c == '+' || c == 'e' || c == 'E';
    });
}

std::string OhnePunkte(std::string_view text)
{
    std::string ohne(text);
    std::erase(ohne, '.');
    return ohne;
}

CFehler KeineZahl()
{
    return CFehler{"ist keine Zahl."};
}

// A point in a block of decimal commas: a thousands point, never guessed at.
CFehler PunktUnterKommas(std::string_view text)
{
    std::string grund =
        "enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein Tausenderpunkt wird nicht gelesen";
    if (SiehtNachTausenderpunktAus(text))
        grund += " (ohne Punkt: " + OhnePunkte(text) + ")";
    return CFehler{grund + "."};
}

} // namespace

bool HatDezimalkomma(std::string_view zelle)
{
    zelle = Getrimmt(zelle);
    float wert = 0;
    return zelle.find(',') != std::string_view::npos && NurDezimal(zelle) && LiesEingabeFloat(zelle, wert);
}

EZahlschreibung Zahlschreibung(const std::vector<std::string_view>& zellen)
{
    return std::any_of(zellen.begin(), zellen.end(), HatDezimalkomma) ? EZahlschreibung::Dezimalkomma
                                                                      : EZahlschreibung::Dezimalpunkt;
}

bool SiehtNachTausenderpunktAus(std::string_view text)
{
    size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const auto ziffer = [&](size_t k) { return k < text.size() && IstZiffer(text[k]); };
    if (!ziffer(i) || text[i] == '0')
        return false; // "0.125" is a decimal fraction
    size_t n = 0;
    while (ziffer(i))
        ++i, ++n;
    if (n > 3 || i >= text.size())
        return false;
    while (i < text.size()) {
        if (text[i] != '.' || !ziffer(i + 1) || !ziffer(i + 2) || !ziffer(i + 3))
            return false;
        i += 4;
    }
    return true;
}

namespace {

// The text of a number by the rule, with a decimal point, ready for the C
// readers; or why it is none.
CErgebnis<std::string> MitDezimalpunkt(std::string_view text, EZahlschreibung schreibung)
{
    text = Getrimmt(text);
    if (!NurDezimal(text))
        return KeineZahl();
    const size_t komma = text.find(',');
    const bool punkt = text.find('.') != std::string_view::npos;
    switch (schreibung) {
    case EZahlschreibung::Einzeln:
        if (SiehtNachTausenderpunktAus(text))
            return CFehler{"ist nicht eindeutig: ein Tausenderpunkt wird nicht gelesen. Geben Sie die Zahl ohne Punkt "
                           "ein (" +
                           OhnePunkte(text) + ") oder mit Dezimalkomma."};
        break;
    case EZahlschreibung::Dezimalkomma:
        if (punkt)
            return PunktUnterKommas(text);
        break;
    case EZahlschreibung::Dezimalpunkt:
        if (komma != std::string_view::npos)
            return KeineZahl();
        break;
    }
    // At most one comma, and not beside a point: "1.000,5" is no number.
    if (komma != std::string_view::npos && (punkt || text.find(',', komma + 1) != std::string_view::npos))
        return KeineZahl();
    std::string mitPunkt(text);
    if (komma != std::string_view::npos)
        mitPunkt[komma] = '.';
    return mitPunkt;
}

} // namespace

CErgebnis<float> ZahlLesen(std::string_view text, EZahlschreibung schreibung)
{
    const CErgebnis<std::string> t = MitDezimalpunkt(text, schreibung);
    float wert = 0;
    if (!t)
        return CFehler{t.Fehlertext()};
    if (!LiesFloat(*t, wert))
        return KeineZahl();
    return wert;
}

CErgebnis<double> GenaueZahlLesen(std::string_view text, EZahlschreibung schreibung)
{
    const CErgebnis<std::string> t = MitDezimalpunkt(text, schreibung);
    double wert = 0;
    if (!t)
        return CFehler{t.Fehlertext()};
    if (!LiesDouble(*t, wert))
        return KeineZahl();
    return wert;
}

CErgebnis<int> GanzeZahlLesen(std::string_view text)
{
    text = Getrimmt(text);
    int wert = 0;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return IstZiffer(c) || c == '-' || c == '+'; }) ||
        !LiesInt(text, wert))
        return CFehler{"ist keine ganze Zahl."};
    return wert;
}

std::string MeldungTausenderpunkt(std::string_view text)
{
    return "\"" + std::string(text) + "\" " + ZahlLesen(text).Fehlertext();
}

std::string Zitat(std::string_view zelle)
{
    constexpr size_t kMaxZeichen = 40;
    if (AnzahlZeichen(zelle) <= kMaxZeichen)
        return Anzeigename(zelle);
    // Cut at a character, not inside one.
    size_t zeichen = 0, ende = 0;
    for (; ende < zelle.size(); ++ende)
        if ((static_cast<unsigned char>(zelle[ende]) & 0xC0) != 0x80 && zeichen++ == kMaxZeichen)
            break;
    return Anzeigename(zelle.substr(0, ende)) + "…";
}

namespace {

// A limit as a person reads it: 1000000, not 1e+06.
std::string Grenze(double x)
{
    return x == std::floor(x) && std::fabs(x) < 1e15 ? Format("%.0f", x) : Format("%g", x);
}

} // namespace

std::string BereichText(const CZahlbereich& b)
{
    if (b.obenOffen)
        return "von " + Grenze(b.min) + " bis unter " + Grenze(b.max);
    return "zwischen " + Grenze(b.min) + " und " + Grenze(b.max);
}

CErgebnis<double> ZahlImBereich(std::string_view text, const CZahlbereich& b)
{
    const std::string zitat = "„" + Zitat(Getrimmt(text)) + "“ ";
    const auto keineZahl = [&](const std::string& grund) {
        return CFehler{zitat + grund + " Geben Sie " + (b.ganz ? "eine ganze Zahl " : "eine Zahl ") + BereichText(b) +
                       " ein."};
    };
    double wert = 0;
    if (b.ganz) {
        const CErgebnis<int> i = GanzeZahlLesen(text);
        if (!i)
            return keineZahl(i.Fehlertext());
        wert = *i;
    } else {
        // Read in double: a quantity keeps the digits typed.
        const CErgebnis<std::string> t = MitDezimalpunkt(text, EZahlschreibung::Einzeln);
        if (!t)
            return keineZahl(t.Fehlertext());
        if (!LiesDouble(*t, wert))
            return keineZahl("ist keine Zahl.");
    }
    if (wert < b.min || wert > b.max || (b.obenOffen && wert >= b.max))
        return CFehler{zitat + (b.obenOffen ? "liegt nicht im Bereich " : "liegt nicht ") + BereichText(b) + "."};
    return wert;
}
