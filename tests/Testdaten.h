#pragma once
// Fields and documents the tests build on.

#include "doc/CKalvoDoc.h"
#include "model/Feldsatz.h"
#include "run/CLauf.h"

#include <string>
#include <vector>

// The FeldA example of the record format: 2003, 93.1 % CH4, 380 bar, 6 wells …
CFeldwerte FeldA();

// A record of the field with 4 stage rows generated from its head values.
std::string Feldsatz(const CFeldwerte& feld);

// A record with the given stage rows.
std::string Feldsatz(const CFeldwerte& feld, const CStufen& stufen);

// Pure methane field with the given name, start year and OGIP.
CFeldwerte MethanFeld(const std::string& name, int start, float ogip = 5000.0f);

// One part of a run (the summary, a profile merge) on the run's own state,
// with the texts of the messages it gave.
struct CTeillauf {
    CLauf doc{CLaufEingabe{}, nullptr};
    std::vector<std::string> Meldungen() const
    {
        std::vector<std::string> t;
        for (const auto& m : doc.m_Meldungen)
            t.push_back(m.text);
        return t;
    }
};

// The run's input of a sample file as the document gives it (its own threads setting).
CLaufEingabe LaufEingabeAus(const char* pfad);

// The bytes of a file; the test fails (and gets "") when it cannot be read.
std::string DateiInhalt(const std::string& pfad);
