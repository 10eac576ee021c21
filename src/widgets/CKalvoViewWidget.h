#pragma once
// The report on screen: the document's report lines in a fixed-pitch bold
// face (Liberation Mono for "Courier New"), one screen line per report line,
// scrolling; printing page by page.

#include <QAbstractScrollArea>

#include <string>
#include <vector>

class CKalvoDoc;
class QPrinter;

class CKalvoViewWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    CKalvoViewWidget(CKalvoDoc& doc, QWidget* parent = nullptr);
    void Aktualisieren();
    // Prints the report, pages von … bis (0 = from the first, to the last);
    // returns the number of pages printed.
    int Drucken(QPrinter& drucker, int von = 0, int bis = 0);
    // Pages the report takes on the printer's page.
    int Seitenzahl(QPrinter& drucker) const;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    QFont Schrift() const;
    void Rollbereich();

    // Scrolls a table a command added (the first line that differs from
    // the report shown before) into view when it lies below the window.
    void NeuesZeigen();

    CKalvoDoc& m_Doc;
    std::vector<std::string> m_saGezeigt; // the report as last shown
};
