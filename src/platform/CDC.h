#pragma once
// The device context the charts draw on: logical units of 0.1 mm with y up
// (map mode 2), a window origin placed at the top-left corner of the output,
// pens, hatched brushes, fonts by height and weight, lines, rectangles and
// aligned text. Selecting an object returns the one it replaces.

#include <string>
#include <vector>

struct CPunkt {
    int x = 0;
    int y = 0;
};

struct CFarbe {
    int r = 0, g = 0, b = 0;
    bool operator==(const CFarbe&) const = default;
};

enum class EStiftStil { Durchgezogen, Gepunktet, Gestrichelt };

struct CStift {
    EStiftStil m_Stil = EStiftStil::Durchgezogen;
    int m_iBreite = 1; // logical units
    CFarbe m_Farbe{};
    bool operator==(const CStift&) const = default;
};

struct CPinsel {
    bool m_bSchraffiert = false; // diagonal cross-hatch; otherwise solid
    CFarbe m_Farbe{255, 255, 255};
    bool m_bLeer = false; // no fill at all: rectangles as outlines
    bool operator==(const CPinsel&) const = default;
};

// A font of the "modern" (fixed-pitch) family: cell height in logical units, weight 100…900.
struct CSchrift {
    int m_iHoehe = 0;
    int m_iGewicht = 400;
    bool operator==(const CSchrift&) const = default;
};

// Text alignment flags as the charts use them.
constexpr unsigned TA_LEFT = 0;   // left end at x, top at y
constexpr unsigned TA_RIGHT = 2;  // right end at x, top at y
constexpr unsigned TA_CENTER = 6; // centred on x, top at y

constexpr int MM_TEXT = 1;     // logical unit one pixel, y down
constexpr int MM_LOMETRIC = 2; // logical unit 0.1 mm, y up

class CDC {
public:
    virtual ~CDC() = default;
    virtual void SetMapMode(int modus) = 0;
    virtual void SetWindowOrg(int x, int y) = 0;
    virtual CStift SelectObject(const CStift& stift) = 0;
    virtual CPinsel SelectObject(const CPinsel& pinsel) = 0;
    virtual CSchrift SelectObject(const CSchrift& schrift) = 0;
    virtual unsigned SetTextAlign(unsigned ausrichtung) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Polyline(const CPunkt* punkte, int anzahl) = 0;
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual int GetTextExtent(const std::string& text) = 0; // width in logical units
};

// Records every call as one text line, for tests. Text widths follow a
// fixed-pitch model: 0.6 of the font height per character.
class CAufzeichnungsDC : public CDC {
public:
    std::vector<std::string> m_saAufrufe;

    void SetMapMode(int modus) override;
    void SetWindowOrg(int x, int y) override;
    CStift SelectObject(const CStift& stift) override;
    CPinsel SelectObject(const CPinsel& pinsel) override;
    CSchrift SelectObject(const CSchrift& schrift) override;
    unsigned SetTextAlign(unsigned ausrichtung) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const CPunkt* punkte, int anzahl) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& text) override;
    int GetTextExtent(const std::string& text) override;

private:
    CStift m_Stift;
    CPinsel m_Pinsel;
    CSchrift m_Schrift{120, 400};
    unsigned m_iAusrichtung = TA_LEFT;
};
