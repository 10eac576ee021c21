#pragma once
// The device context on a QPainter: logical units of 0.1 mm with y up (or,
// in map mode MM_TEXT, pixels with y down), mapped
// onto any paint device (widget, printer, image, SVG, PDF) at a given number
// of device pixels per logical unit. Fonts of the modern family are drawn in
// Liberation Mono, a fixed-pitch face with the metrics of Courier New.

#include "platform/CDC.h"

#include <QFont>
#include <QPainter>

class CQtDC : public CDC {
public:
    CQtDC(QPainter& painter, double pixelJeEinheit);

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
    QPointF Abbilden(int x, int y) const;
    void StiftSetzen(const CStift& stift);
    void PinselSetzen(const CPinsel& pinsel);

    QPainter& m_Painter;
    double m_dSkala;
    int m_iUrsprungX = 0, m_iUrsprungY = 0;
    int m_iMapMode = MM_LOMETRIC;
    CPunkt m_Aktuell;
    CStift m_Stift;
    CPinsel m_Pinsel;
    CSchrift m_Schrift{120, 400};
    unsigned m_iAusrichtung = TA_LEFT;
};
