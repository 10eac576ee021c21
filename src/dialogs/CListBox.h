#pragma once
// A list box as the dialogs use it: entries, an optional case-insensitive
// sorted order, and one selected entry (-1 = none).

#include <string>
#include <vector>

class CListBox {
public:
    explicit CListBox(bool sortiert = false) : m_bSortiert(sortiert) {}

    int GetCount() const { return static_cast<int>(m_saEintraege.size()); }
    int GetCurSel() const { return m_iAuswahl; }
    void SetCurSel(int i) { m_iAuswahl = (i >= 0 && i < GetCount()) ? i : -1; }
    const std::string& GetText(int i) const { return m_saEintraege.at(static_cast<size_t>(i)); }
    const std::vector<std::string>& Eintraege() const { return m_saEintraege; }

    // Adds at the end, or in a sorted list at its place; returns the position.
    int AddString(const std::string& text);
    // Inserts at the given position (also in a sorted list); returns it.
    int InsertString(int i, const std::string& text);
    void DeleteString(int i);
    void ResetContent();

    // The list editing both dialogs share. Replaces entry i (in its place,
    // also in a sorted list) and selects it.
    void Ersetzen(int i, const std::string& text);
    // Deletes entry i and selects the first one left; false when none is left.
    bool Entfernen(int i);

    // Case-insensitive order of whole lines; Ä, Ö, Ü sort with A, O, U and
    // ß with ss, as in a German dictionary.
    static bool Kleiner(const std::string& a, const std::string& b);

private:
    bool m_bSortiert;
    std::vector<std::string> m_saEintraege;
    int m_iAuswahl = -1;
};
