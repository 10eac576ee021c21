#pragma once
// A variant of the open document, compared with it: a second document read
// from its own file and run with the open document's options (its own fields,
// profiles and project period), numbers only; its Ist and Soll are read as
// every study reads a run (studie/Studie.h) and compared year by year of the
// open document. Its messages reach the user marked as the variant's.

#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"
#include "summary/Jahresreihen.h"

#include <string>

class CVariante {
public:
    explicit CVariante(IMeldungen& meldungen);

    // Reads the variant's file. False with a German reason; then nothing is read.
    CErgebnis<> Laden(const std::string& pfad);
    // The file name the comparison shows.
    const std::string& Name() const { return m_sName; }
    CKalvoDoc& Dokument() { return m_Doc; }

    // Runs the variant with the options of `a` and returns its Ist and Soll in
    // a's chart quantity. A single-field run of `a` runs the field of the same
    // name; a variant without it has no years.
    CJahreswerte Berechnen(const CKalvoDoc& a);

private:
    class CMarkierteMeldungen : public IMeldungen {
    public:
        explicit CMarkierteMeldungen(IMeldungen& ziel) : m_Ziel(ziel) {}
        void Meldung(const std::string& text) override { m_Ziel.Meldung("Variante B: " + text); }
        bool Frage(const std::string& text) override { return m_Ziel.Frage("Variante B: " + text); }

    private:
        IMeldungen& m_Ziel;
    };
    CMarkierteMeldungen m_Meldungen;
    CKalvoDoc m_Doc;
    CFeldspeicher m_Speicher; // the variant's field results, kept between comparisons
    std::string m_sName;
};
