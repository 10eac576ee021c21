#pragma once
// The message interface: what the program logic shows to the user.
// A message box with OK (Meldung), the same for a refusal or a failure
// (Warnung: the desktop shows it with the warning icon), or with Yes/No
// (Frage, true = Yes).
// The desktop program shows message boxes, kalvo-batch writes to stderr,
// tests record the texts and answer from a script.

#include <string>
#include <vector>

class IMeldungen {
public:
    virtual ~IMeldungen() = default;
    virtual void Meldung(const std::string& text) = 0;
    virtual void Warnung(const std::string& text) { Meldung(text); }
    virtual bool Frage(const std::string& text) = 0;
};

// Shows nothing and answers every question with No.
class CStilleMeldungen : public IMeldungen {
public:
    void Meldung(const std::string&) override {}
    bool Frage(const std::string&) override { return false; }
};

// Records every text; answers questions from a list (Yes when the list is used up).
class CAufgezeichneteMeldungen : public IMeldungen {
public:
    std::vector<std::string> m_saTexte;
    std::vector<bool> m_bAntworten;

    void Meldung(const std::string& text) override { m_saTexte.push_back(text); }
    bool Frage(const std::string& text) override
    {
        m_saTexte.push_back(text);
        if (m_iNaechsteAntwort < m_bAntworten.size())
            return m_bAntworten[m_iNaechsteAntwort++];
        return true;
    }

private:
    size_t m_iNaechsteAntwort = 0;
};
