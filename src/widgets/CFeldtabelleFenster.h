#pragma once
// "Ansicht › Feldtabelle": every field of the document in one sortable table
// (name, start, OGIP, Pi, wells, A1, B1, C-Wert, share, first-year and
// cumulative share production of the last run, with the plan's dispatch rank,
// plant and the year the field was abandoned, status). A double-click asks
// for that field in the field data dialog.

#include <QDialog>

#include <functional>
#include <string_view>

class CKalvoDoc;
class QTableWidget;

class CFeldtabelleFenster : public QDialog {
    Q_OBJECT
public:
    // `oeffnen(i)`: open field i (list position) in the field data dialog.
    CFeldtabelleFenster(const CKalvoDoc& doc, std::function<void(int)> oeffnen, QWidget* eltern = nullptr);

private:
    void Verteilungsspalten(const CKalvoDoc& d, std::string_view name, int zeile, int& spalte);

    QTableWidget* m_pTabelle = nullptr;
};
