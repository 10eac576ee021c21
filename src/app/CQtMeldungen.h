#pragma once
// Message boxes with German buttons, over the window that is active.

#include "platform/Meldungen.h"

class CQtMeldungen : public IMeldungen {
public:
    void Meldung(const std::string& text) override;
    void Warnung(const std::string& text) override;
    bool Frage(const std::string& text) override;
};
