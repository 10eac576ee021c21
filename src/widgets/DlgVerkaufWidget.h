#pragma once
// The window of the profile dialog.

#include "widgets/CDialogFenster.h"

class DlgVerkauf;

class DlgVerkaufWidget : public CDialogFenster {
    Q_OBJECT
public:
    DlgVerkaufWidget(DlgVerkauf& dlg, QWidget* eltern = nullptr);
    void reject() override;

protected:
    void TexteHolen() override;
    void TexteZeigen() override;

private:
    DlgVerkauf& m_Dlg;
};
