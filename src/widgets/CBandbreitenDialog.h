#pragma once
// "Bandbreiten…": the ranges of a document as a small table (Feld, Größe,
// Tief, Hoch), kept beside the document as <Dokument>.bandbreiten.csv. OK
// checks the table against the document's fields first: a bad line is
// named and nothing is written.

#include "bandbreiten/Bandbreiten.h"

#include <QDialog>

class QTableWidget;

class CBandbreitenDialog : public QDialog {
    Q_OBJECT
public:
    // `felder`: the document's fields, for the check; `pfad`: the file.
    CBandbreitenDialog(const CFeldsaetze& felder, std::string pfad, QWidget* eltern = nullptr);
    void accept() override;

private:
    void ZeileHinzufuegen(const CBandbreitenZeile& zeile);
    std::vector<CBandbreitenZeile> Zeilen() const;

    const CFeldsaetze& m_Felder;
    std::string m_sPfad;
    QTableWidget* m_pTabelle = nullptr;
};
