#pragma once
// The report view without a window: the printing of the report lines page by
// page on a device context in 0.1 mm.

#include "platform/CDC.h"

#include <string>
#include <vector>

class CKalvoDoc;

constexpr int kZeilenHochformat = 57; // report lines of an upright page, at most
constexpr int kZeilenQuerformat = 50; // report lines of a page across, at most

// How the report is laid out on one paper size.
struct CDruckformat {
    int m_iSchrifthoehe = 44;                  // 0.1 mm; also the line pitch
    int m_iZeilenProSeite = kZeilenHochformat; // report lines per page
};

// One printed page: the heading lines of a table it continues, then its own
// report lines von … bis − 1 (indices into the report).
struct CDruckseite {
    std::vector<int> kopf;
    int von = 0, bis = 0;
};

class CKalvoView {
public:
    explicit CKalvoView(const CKalvoDoc& doc) : m_Doc(doc) {}

    int m_iZeilenProSeite = kZeilenHochformat; // report lines per printed page
    int m_iSeite = 1;                          // page being printed, from 1
    std::string m_sDatum;                      // print date of a report for the file ("09.12.2026")

    // The lines printed: the report and, in a report for the file
    // (CKalvoDoc::m_bAktenbericht), the units and options after it.
    std::vector<std::string> Druckzeilen() const;

    // The layout on a page whose drawing rectangle is `breite` by `hoehe`
    // (0.1 mm). A page holds 57 lines upright and 50 across, or fewer when
    // the printable height holds fewer (4.4 mm a line, below a header line
    // and an empty line), so that no line falls off the page. The font is
    // 4.4 mm, smaller when the widest line would not fit the page width.
    CDruckformat Druckformat(CDC& dc, int breite, int hoehe) const;

    // Pages printed: lines / lines per page + 1, also when the division has
    // no remainder, and one more for every page that repeats a table's heading.
    int Seitenzahl(CDC& dc, int breite, int hoehe) const;

    // The report cut into pages of `zeilenProSeite` lines. A page that begins
    // inside a table (below its heading, before the blank line that ends it)
    // repeats the table's heading lines first, so that every printed column
    // is named on its page.
    std::vector<CDruckseite> Seiten(int zeilenProSeite) const;

    // Prints page `seite` (from 1): the header " Dokument:%s", an empty line,
    // then the page's report lines, indented by three character widths. A
    // report for the file adds the print date to the header and "Seite n von
    // m" below the lines (its two lines come off the page height).
    void OnPrint(CDC& dc, int breite, int hoehe, int seite);

private:
    const CKalvoDoc& m_Doc;
};
