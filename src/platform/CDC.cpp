#include "platform/CDC.h"

#include "platform/Format.h"

void CAufzeichnungsDC::SetMapMode(int modus)
{
    m_saAufrufe.push_back(Format("SetMapMode %d", modus));
}

void CAufzeichnungsDC::SetWindowOrg(int x, int y)
{
    m_saAufrufe.push_back(Format("SetWindowOrg %d %d", x, y));
}

CStift CAufzeichnungsDC::SelectObject(const CStift& stift)
{
    const char* stil = stift.m_Stil == EStiftStil::Gepunktet     ? "gepunktet"
                       : stift.m_Stil == EStiftStil::Gestrichelt ? "gestrichelt"
                                                                 : "durchgezogen";
    m_saAufrufe.push_back(
        Format("Stift %s %d %d,%d,%d", stil, stift.m_iBreite, stift.m_Farbe.r, stift.m_Farbe.g, stift.m_Farbe.b));
    const CStift alt = m_Stift;
    m_Stift = stift;
    return alt;
}

CPinsel CAufzeichnungsDC::SelectObject(const CPinsel& pinsel)
{
    const char* art = pinsel.m_bLeer ? "leer" : pinsel.m_bSchraffiert ? "schraffiert" : "voll";
    m_saAufrufe.push_back(Format("Pinsel %s %d,%d,%d", art, pinsel.m_Farbe.r, pinsel.m_Farbe.g, pinsel.m_Farbe.b));
    const CPinsel alt = m_Pinsel;
    m_Pinsel = pinsel;
    return alt;
}

CSchrift CAufzeichnungsDC::SelectObject(const CSchrift& schrift)
{
    m_saAufrufe.push_back(Format("Schrift %d %d", schrift.m_iHoehe, schrift.m_iGewicht));
    const CSchrift alt = m_Schrift;
    m_Schrift = schrift;
    return alt;
}

unsigned CAufzeichnungsDC::SetTextAlign(unsigned ausrichtung)
{
    m_saAufrufe.push_back(Format("SetTextAlign %u", ausrichtung));
    const unsigned alt = m_iAusrichtung;
    m_iAusrichtung = ausrichtung;
    return alt;
}

void CAufzeichnungsDC::MoveTo(int x, int y)
{
    m_saAufrufe.push_back(Format("MoveTo %d %d", x, y));
}

void CAufzeichnungsDC::LineTo(int x, int y)
{
    m_saAufrufe.push_back(Format("LineTo %d %d", x, y));
}

void CAufzeichnungsDC::Polyline(const CPunkt* punkte, int anzahl)
{
    std::string s = Format("Polyline %d", anzahl);
    for (int i = 0; i < anzahl; ++i)
        s += Format(" %d,%d", punkte[i].x, punkte[i].y);
    m_saAufrufe.push_back(s);
}

void CAufzeichnungsDC::Rectangle(int x1, int y1, int x2, int y2)
{
    m_saAufrufe.push_back(Format("Rectangle %d %d %d %d", x1, y1, x2, y2));
}

void CAufzeichnungsDC::TextOut(int x, int y, const std::string& text)
{
    m_saAufrufe.push_back(Format("TextOut %d %d %s", x, y, text.c_str()));
}

int CAufzeichnungsDC::GetTextExtent(const std::string& text)
{
    return static_cast<int>(AnzahlZeichen(text)) * m_Schrift.m_iHoehe * 6 / 10;
}
