// The plan's named scenarios, run for the document and shown after its report.
#include "doc/CKalvoDoc.h"

#include "platform/Datei.h"
#include "platform/Meldungen.h"

#include <filesystem>

CErgebnis<CSzenarienergebnis> CKalvoDoc::SzenarienRechnen(int plateauJahre, int plateauAb, int threads,
                                                          const CWeiter& weiter,
                                                          const CSzenarioBandbreiten* bandbreiten) const
{
    const std::filesystem::path ordner = std::filesystem::path(GetPathName()).parent_path();
    // Another document (last year's plan): read relative to this document's
    // folder with the plan beside it, run with this document's options on
    // its own calendar.
    const CDokumentLaden laden = [&](const std::string& datei) -> CErgebnis<CLaufEingabe> {
        const std::filesystem::path pfad =
            std::filesystem::path(datei).is_absolute() ? std::filesystem::path(datei) : ordner / datei;
        const CErgebnis<std::string> bytes = DateiLesen(pfad.string());
        if (!bytes)
            return CFehler{bytes.Fehlertext()};
        CStilleMeldungen still; // its refusals come back as the scenario's reason
        CKalvoDoc b(still);
        if (CErgebnis<> geladen = b.Laden(*bytes); !geladen)
            return CFehler{datei + ": " + geladen.Fehlertext()};
        b.NachDemLaden();
        // Its own plan beside it (last year's contracts, plants, dispatch),
        // computed with this document's options so that the rows compare.
        if (CErgebnis<> plan = b.PlanungLaden(pfad.string()); !plan)
            return CFehler{plan.Fehlertext()};
        b.m_bBedarf = m_bBedarf;
        b.m_fSollKonstant = m_fSollKonstant;
        b.m_dEigenverbrauch = m_dEigenverbrauch;
        b.m_bEnergie = true;
        CLaufEingabe e = b.LaufEingabe();
        e.threads = 1;
        e.druckanpassung = false; // a row reports no fit
        return e;
    };
    return ::SzenarienRechnen(LaufEingabe(), m_Planung.value_or(CPlanung{}), laden, plateauJahre, plateauAb, threads,
                              weiter, bandbreiten);
}

void CKalvoDoc::SzenarienSetzen(CSzenarienergebnis s)
{
    m_Szenarien = std::move(s);
    PlanungstabellenAnhaengen();
}
