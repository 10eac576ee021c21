#pragma once
// The report view without a window: the screen layout of the report lines
// and the printing of one page on a device context in 0.1 mm.

#include "platform/CDC.h"

#include <string>

class CKalvoDoc;

class CKalvoView {
public:
    explicit CKalvoView(const CKalvoDoc& doc) : m_Doc(doc) {}

    int m_iZeilenProSeite = 57; // report lines per printed page: 57 portrait, 50 landscape
    int m_iSeite = 1;           // page being printed, from 1

    // Pages announced before printing (57 lines a page) and counted while
    // printing: imax / lines + 1, also when the division has no remainder.
    int SeitenVorDemDruck() const;
    int Seitenzahl(bool hochformat) const;

    // Prints page `seite` (from 1) on a page whose drawing rectangle is
    // `breite` by `hoehe` logical units (0.1 mm): the header " Dokument:%s",
    // an empty line, then up to m_iZeilenProSeite report lines, indented by
    // three character widths. Font 4.4 mm, weight 600.
    void OnPrint(CDC& dc, int breite, int hoehe, int seite);

private:
    const CKalvoDoc& m_Doc;
};
