#include "doc/CKalvoDoc.h"

#include <filesystem>

CKalvoDoc::CKalvoDoc(IMeldungen& meldungen) : m_Meldungen(meldungen)
{
    OnNewDocument();
}

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

void CKalvoDoc::SetPathName(const std::string& pfad)
{
    m_sPfad = pfad;
    m_sDokumentTitel = pfad.empty() ? "Unbenannt" : std::filesystem::path(pfad).filename().string();
}
