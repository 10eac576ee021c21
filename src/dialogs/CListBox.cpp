#include "dialogs/CListBox.h"

#include <algorithm>

namespace {

// Folds a UTF-8 text for comparison as a German reader sorts: ASCII letters
// to lower case, Ä Ö Ü and ä ö ü with a o u, ß as ss.
std::string Gefaltet(const std::string& s)
{
    std::string f;
    f.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 'A' && c <= 'Z') {
            f += static_cast<char>(c - 'A' + 'a');
            continue;
        }
        if (c == 0xC3 && i + 1 < s.size()) {
            const char* ersatz = nullptr;
            switch (static_cast<unsigned char>(s[i + 1])) {
            case 0x84:
            case 0xA4: ersatz = "a"; break; // Ä ä
            case 0x96:
            case 0xB6: ersatz = "o"; break; // Ö ö
            case 0x9C:
            case 0xBC: ersatz = "u"; break;  // Ü ü
            case 0x9F: ersatz = "ss"; break; // ß
            }
            if (ersatz) {
                f += ersatz;
                ++i;
                continue;
            }
        }
        f += static_cast<char>(c);
    }
    return f;
}

} // namespace

bool CListBox::Kleiner(const std::string& a, const std::string& b)
{
    return Gefaltet(a) < Gefaltet(b);
}

int CListBox::AddString(const std::string& text)
{
    auto stelle = m_saEintraege.end();
    if (m_bSortiert)
        stelle = std::upper_bound(m_saEintraege.begin(), m_saEintraege.end(), text, Kleiner);
    const int i = static_cast<int>(stelle - m_saEintraege.begin());
    m_saEintraege.insert(stelle, text);
    if (m_iAuswahl >= i)
        ++m_iAuswahl;
    return i;
}

int CListBox::InsertString(int i, const std::string& text)
{
    i = std::clamp(i, 0, GetCount());
    m_saEintraege.insert(m_saEintraege.begin() + i, text);
    if (m_iAuswahl >= i)
        ++m_iAuswahl;
    return i;
}

void CListBox::DeleteString(int i)
{
    if (i < 0 || i >= GetCount())
        return;
    m_saEintraege.erase(m_saEintraege.begin() + i);
    if (m_iAuswahl == i)
        m_iAuswahl = -1;
    else if (m_iAuswahl > i)
        --m_iAuswahl;
}

void CListBox::ResetContent()
{
    m_saEintraege.clear();
    m_iAuswahl = -1;
}

void CListBox::Ersetzen(int i, const std::string& text)
{
    DeleteString(i);
    InsertString(i, text);
    SetCurSel(i);
}

bool CListBox::Entfernen(int i)
{
    DeleteString(i);
    SetCurSel(0);
    return GetCount() > 0;
}
