#include "platform/Cp1252.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; the unassigned bytes map to themselves.
constexpr char32_t kBereich80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void Utf8Anhaengen(std::string& s, char32_t cp)
{
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int ByteFuer(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kBereich80[i] == cp)
            return 0x80 + i;
    return -1;
}

// Decodes one UTF-8 character at s[i]; returns false for an invalid sequence.
bool Dekodieren(std::string_view s, size_t& i, char32_t& cp)
{
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    size_t n;
    if (c < 0x80) {
        cp = c;
        n = 1;
    } else if ((c & 0xE0) == 0xC0) {
        cp = c & 0x1F;
        n = 2;
    } else if ((c & 0xF0) == 0xE0) {
        cp = c & 0x0F;
        n = 3;
    } else if ((c & 0xF8) == 0xF0) {
        cp = c & 0x07;
        n = 4;
    } else {
        return false;
    }
    if (i + n > s.size())
        return false;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    i += n;
    return true;
}

} // namespace

std::string Cp1252ZuUtf8(std::string_view cp1252)
{
    std::string s;
    s.reserve(cp1252.size());
    for (unsigned char c : cp1252) {
        if (c < 0x80)
            s += static_cast<char>(c);
        else if (c < 0xA0)
            Utf8Anhaengen(s, kBereich80[c - 0x80]);
        else
            Utf8Anhaengen(s, c);
    }
    return s;
}

bool Utf8ZuCp1252(std::string_view utf8, std::string& ergebnis)
{
    ergebnis.clear();
    bool ok = true;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!Dekodieren(utf8, i, cp)) {
            ++i;
            ergebnis += '?';
            ok = false;
            continue;
        }
        const int byte = ByteFuer(cp);
        if (byte < 0) {
            ergebnis += '?';
            ok = false;
        } else {
            ergebnis += static_cast<char>(byte);
        }
    }
    return ok;
}

bool IstCp1252Darstellbar(std::string_view utf8)
{
    std::string unbenutzt;
    return Utf8ZuCp1252(utf8, unbenutzt);
}

bool IstUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        if (!Dekodieren(bytes, i, cp))
            return false;
    }
    return true;
}

std::string TextAusDatei(std::string_view bytes)
{
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    return IstUtf8(bytes) ? std::string(bytes) : Cp1252ZuUtf8(bytes);
}
