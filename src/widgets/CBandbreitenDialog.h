#pragma once
// "Bandbreiten…": the ranges of a document as a small table (Feld, Größe,
// Tief, Hoch, Art), kept beside the document as <Dokument>.bandbreiten.csv. OK
// checks the table against the document's fields first: a bad line is
// named and nothing is written.

#include "bandbreiten/Bandbreiten.h"

#include <QDialog>

class QTableWidget;

class CBandbreitenDialog : public QDialog {
    Q_OBJECT
public:
    // `felder`: the document's fields, and `planung` its plan (measured
    // pressures for "Messung"), for the check; `pfad`: the file.
    CBandbreitenDialog(const CFeldsaetze& felder, const CPlanung* planung, std::string pfad, QWidget* eltern = nullptr);
    void accept() override;

private:
    void ZeileHinzufuegen(const CBandbreitenZeile& zeile);
    std::vector<CBandbreitenZeile> Zeilen() const;

    const CFeldsaetze& m_Felder;
    const CPlanung* m_pPlanung;
    std::string m_sPfad;
    QTableWidget* m_pTabelle = nullptr;
};
