#pragma once
// The chart view: a scrolling view of 0.1 mm units on which the chart of
// CGrafik is recomputed and drawn at every repaint; zoom and printing on one
// page with the plot size of the paper's shape.

#include "platform/Meldungen.h"
#include "views/CGrafik.h"

#include <QAbstractScrollArea>

class CKalvoDoc;
class QPrinter;

class CGrafikWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    CGrafikWidget(CKalvoDoc& doc, IMeldungen& meldungen, QWidget* parent = nullptr);

    CGrafik& Grafik() { return m_Grafik; }
    void Aktualisieren(); // a new drawing request (document changed)
    void OnGrafiklupe();
    bool Lupe() const { return m_Grafik.m_bGrafiklupe == 1; }
    // Device pixels per 0.1 mm on screen: the chart fills the window.
    double PixelJeEinheit() const;

    // Printing in three steps, as the print dialog needs them.
    void OnPreparePrinting();        // m_bDrucken = 1
    bool Drucken(QPrinter& drucker); // one page, plot size by the paper's shape
    void OnEndPrinting();            // back to the screen sizes (also after a cancelled dialog)

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;

private:
    void Rollbereich();
    void MeldungenZeigen();

    CKalvoDoc& m_Doc;
    IMeldungen& m_Meldungen;
    CAufgezeichneteMeldungen m_Gesammelt; // messages of a paint, shown after it
    CGrafik m_Grafik;
};
