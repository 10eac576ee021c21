#include "doc/CKalvoDoc.h"

#include "doc/CVariante.h"

#include "platform/Format.h"

#include <filesystem>

CKalvoDoc::CKalvoDoc(IMeldungen& meldungen) : m_Meldungen(meldungen)
{
    OnNewDocument();
}

CKalvoDoc::~CKalvoDoc() = default;

bool CKalvoDoc::OnNewDocument()
{
    m_iFoerderbeginn = 2002;
    m_iProjektstart = 2002;
    m_iProjektende = 2030;
    m_iEinzelfeld = -1;
    m_iGrafikRate = 0;
    m_sFeldname.clear();
    m_bDetailausgabe = 0;
    m_bFeldesreserven = 0;
    m_bNeuBerechnen = 0;
    m_bBlockdiagramm = 1;
    return true;
}

void CKalvoDoc::BeobachterHinzufuegen(std::function<void()> beobachter)
{
    m_Beobachter.push_back(std::move(beobachter));
}

void CKalvoDoc::UpdateAllViews()
{
    for (auto& b : m_Beobachter)
        b();
}

int CKalvoDoc::FeldIndex(std::string_view name) const
{
    return ::FeldIndex(m_saFelder, name);
}

bool CKalvoDoc::EinzelfeldWaehlen(const std::string& name)
{
    const int i = FeldIndex(name);
    if (i < 0)
        return false;
    const CFeldsatz& satz = m_saFelder[static_cast<size_t>(i)];
    m_sEinzelfeld = satz.Name();
    if (satz.KopfLesbar())
        m_iFoerderbeginn = satz.Werte().m_iFoerderbeginn;
    m_iEinzelfeld = i;
    return true;
}

void CKalvoDoc::OnBlockdiagramm()
{
    m_bBlockdiagramm = 1;
    UpdateAllViews();
}

void CKalvoDoc::OnLiniendiagramm()
{
    m_bBlockdiagramm = 0;
    UpdateAllViews();
}

CKalvoDoc::CStand CKalvoDoc::Stand() const
{
    return {m_saFelder,    m_saVerkaufsprofil, m_saRestfelder,    m_iFoerderbeginn, m_iProjektende,
            m_iGrafikRate, m_bDetailausgabe,   m_bFeldesreserven, m_bBlockdiagramm, m_bNeuBerechnen,
            m_iEinzelfeld, m_sEinzelfeld,      m_bModified,       m_Planung};
}

void CKalvoDoc::StandSetzen(const CStand& s)
{
    m_saFelder = s.felder;
    m_saVerkaufsprofil = s.verkaufsprofil;
    m_saRestfelder = s.restfelder;
    m_iFoerderbeginn = s.foerderbeginn;
    m_iProjektende = s.projektende;
    m_iGrafikRate = s.grafikRate;
    m_bDetailausgabe = s.detailausgabe;
    m_bFeldesreserven = s.feldesreserven;
    m_bBlockdiagramm = s.blockdiagramm;
    m_bNeuBerechnen = s.neuBerechnen;
    m_iEinzelfeld = s.einzelfeld;
    m_sEinzelfeld = s.einzelfeldName;
    m_bModified = s.geaendert;
    PlanungSetzen(s.planung);
    if (!m_saFelder.empty())
        Berechnen();
    else
        ErgebnisseLoeschen(); // the views show the state they belong to
    UpdateAllViews();
}

void CKalvoDoc::SetPathName(const std::string& pfad)
{
    m_sPfad = pfad;
    m_sDokumentTitel = pfad.empty() ? "Unbenannt" : std::filesystem::path(pfad).filename().string();
}
