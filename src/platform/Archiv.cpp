#include "platform/Archiv.h"

void CArchivSchreiber::U8(uint8_t wert)
{
    m_sBytes += static_cast<char>(wert);
}

void CArchivSchreiber::U16(uint16_t wert)
{
    U8(static_cast<uint8_t>(wert & 0xFF));
    U8(static_cast<uint8_t>(wert >> 8));
}

void CArchivSchreiber::U32(uint32_t wert)
{
    U16(static_cast<uint16_t>(wert & 0xFFFF));
    U16(static_cast<uint16_t>(wert >> 16));
}

void CArchivSchreiber::Int32(int32_t wert)
{
    U32(static_cast<uint32_t>(wert));
}

// Length: one byte below 255; FF + 16 bit below 0xFFFE; else FF FFFF + 32 bit.
void CArchivSchreiber::Text(std::string_view bytes)
{
    const size_t laenge = bytes.size();
    if (laenge < 0xFF) {
        U8(static_cast<uint8_t>(laenge));
    } else if (laenge < 0xFFFE) {
        U8(0xFF);
        U16(static_cast<uint16_t>(laenge));
    } else {
        U8(0xFF);
        U16(0xFFFF);
        U32(static_cast<uint32_t>(laenge));
    }
    m_sBytes.append(bytes);
}

// Count: 16 bit below 0xFFFF; else FFFF + 32 bit.
void CArchivSchreiber::TextArray(const std::vector<std::string>& texte)
{
    if (texte.size() < 0xFFFF) {
        U16(static_cast<uint16_t>(texte.size()));
    } else {
        U16(0xFFFF);
        U32(static_cast<uint32_t>(texte.size()));
    }
    for (const auto& t : texte)
        Text(t);
}

bool CArchivLeser::Scheitern(const char* grund)
{
    if (m_sFehler.empty())
        m_sFehler = grund;
    return false;
}

bool CArchivLeser::U8(uint8_t& wert)
{
    if (Rest() < 1)
        return Scheitern("Die Datei endet vorzeitig.");
    wert = static_cast<uint8_t>(m_Bytes[m_iPos++]);
    return true;
}

bool CArchivLeser::U16(uint16_t& wert)
{
    uint8_t lo = 0, hi = 0;
    if (!U8(lo) || !U8(hi))
        return false;
    wert = static_cast<uint16_t>(lo | (hi << 8));
    return true;
}

bool CArchivLeser::U32(uint32_t& wert)
{
    uint16_t lo = 0, hi = 0;
    if (!U16(lo) || !U16(hi))
        return false;
    wert = static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16);
    return true;
}

bool CArchivLeser::Int32(int32_t& wert)
{
    uint32_t u = 0;
    if (!U32(u))
        return false;
    wert = static_cast<int32_t>(u);
    return true;
}

bool CArchivLeser::Text(std::string& bytes)
{
    uint8_t kurz = 0;
    if (!U8(kurz))
        return false;
    uint32_t laenge = kurz;
    if (kurz == 0xFF) {
        uint16_t mittel = 0;
        if (!U16(mittel))
            return false;
        laenge = mittel;
        if (mittel == 0xFFFE)
            return Scheitern("Die Datei enthält Text in einem unbekannten Format.");
        if (mittel == 0xFFFF && !U32(laenge))
            return false;
    }
    if (laenge > Rest())
        return Scheitern("Die Datei endet vorzeitig (ein Text ist länger als der Rest der Datei).");
    bytes.assign(m_Bytes.substr(m_iPos, laenge));
    m_iPos += laenge;
    return true;
}

bool CArchivLeser::TextArray(std::vector<std::string>& texte)
{
    uint16_t kurz = 0;
    if (!U16(kurz))
        return false;
    uint32_t anzahl = kurz;
    if (kurz == 0xFFFF && !U32(anzahl))
        return false;
    // Every text takes at least its length byte: a count beyond the rest of
    // the file cannot be true, and nothing is allocated for it.
    if (anzahl > Rest())
        return Scheitern("Die Datei endet vorzeitig (zu viele Einträge angegeben).");
    texte.clear();
    texte.reserve(anzahl);
    for (uint32_t i = 0; i < anzahl; ++i) {
        std::string t;
        if (!Text(t))
            return false;
        texte.push_back(std::move(t));
    }
    return true;
}
