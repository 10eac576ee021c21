#include "platform/Format.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The C locale as an object of its own, made once; formatting and reading
// use it explicitly and leave the process locale alone.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// Switches the calling thread to the C locale for the lifetime of the object.
class CCLocaleAktiv {
public:
    CCLocaleAktiv() : m_Alt(uselocale(CLocale())) {}
    ~CCLocaleAktiv() { uselocale(m_Alt); }
    CCLocaleAktiv(const CCLocaleAktiv&) = delete;
    CCLocaleAktiv& operator=(const CCLocaleAktiv&) = delete;

private:
    locale_t m_Alt;
};

} // namespace

std::string Format(const char* format, ...)
{
    // Report lines fit the stack buffer; longer texts are formatted twice.
    char puffer[256];
    const CCLocaleAktiv cLocale;
    va_list args;
    va_start(args, format);
    va_list kopie;
    va_copy(kopie, args);
    const int laenge = std::vsnprintf(puffer, sizeof puffer, format, args);
    va_end(args);
    std::string text;
    if (laenge > 0 && static_cast<size_t>(laenge) < sizeof puffer) {
        text.assign(puffer, static_cast<size_t>(laenge));
    } else if (laenge > 0) {
        text.resize(static_cast<size_t>(laenge) + 1);
        std::vsnprintf(text.data(), text.size(), format, kopie);
        text.resize(static_cast<size_t>(laenge));
    }
    va_end(kopie);
    return text;
}

size_t AnzahlZeichen(std::string_view utf8)
{
    size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string Linksbuendig(std::string_view utf8, size_t breite)
{
    std::string text(utf8);
    const size_t zeichen = AnzahlZeichen(utf8);
    if (zeichen < breite)
        text.append(breite - zeichen, ' ');
    return text;
}

std::string AufBreite(std::string_view utf8, size_t breite)
{
    std::string text;
    size_t zeichen = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xC0) != 0x80) {
            if (zeichen == breite)
                break;
            ++zeichen;
        }
        text += utf8[i];
    }
    text.append(breite - zeichen, ' ');
    return text;
}

static bool IstLeer(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view ErstesWort(std::string_view text, std::string_view* rest)
{
    size_t anfang = 0;
    while (anfang < text.size() && IstLeer(text[anfang]))
        ++anfang;
    size_t ende = anfang;
    while (ende < text.size() && !IstLeer(text[ende]))
        ++ende;
    if (rest)
        *rest = text.substr(ende);
    return text.substr(anfang, ende - anfang);
}

bool LiesInt(std::string_view token, int& wert)
{
    if (token.empty() || token.size() > 40)
        return false;
    const std::string s(token);
    char* ende = nullptr;
    errno = 0;
    const long v = strtol_l(s.c_str(), &ende, 10, CLocale());
    if (errno != 0 || ende != s.c_str() + s.size() || v < INT_MIN || v > INT_MAX)
        return false;
    wert = static_cast<int>(v);
    return true;
}

namespace {

// The whole token must be the number, and the number finite.
template <class T, class Lesen>
bool LiesZahl(std::string_view token, T& wert, Lesen lesen)
{
    if (token.empty() || token.size() > 60)
        return false;
    const std::string s(token);
    char* ende = nullptr;
    const T v = lesen(s.c_str(), &ende, CLocale());
    if (ende != s.c_str() + s.size() || !std::isfinite(v))
        return false;
    wert = v;
    return true;
}

} // namespace

bool LiesFloat(std::string_view token, float& wert)
{
    return LiesZahl(token, wert, strtof_l);
}

bool LiesDouble(std::string_view token, double& wert)
{
    return LiesZahl(token, wert, strtod_l);
}

bool LiesEingabeFloat(std::string_view token, float& wert)
{
    const size_t komma = token.find(',');
    if (komma == std::string_view::npos)
        return LiesFloat(token, wert);
    if (token.find(',', komma + 1) != std::string_view::npos || token.find('.') != std::string_view::npos)
        return false;
    std::string mitPunkt(token);
    mitPunkt[komma] = '.';
    return LiesFloat(mitPunkt, wert);
}

std::string Anzeigename(std::string_view name)
{
    std::string s(name);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return s;
}

std::vector<std::string_view> Woerter(std::string_view text)
{
    std::vector<std::string_view> w;
    for (std::string_view rest = text, t; !(t = ErstesWort(rest, &rest)).empty();)
        w.push_back(t);
    return w;
}
