#pragma once
// The window of the field data dialog: the controls of CDlgInput at their
// places, their texts copied to and from the behaviour, events forwarded.

#include "widgets/CDialogFenster.h"

class CDlgInput;

class CDlgInputWidget : public CDialogFenster {
    Q_OBJECT
public:
    CDlgInputWidget(CDlgInput& dlg, QWidget* eltern = nullptr);
    void reject() override;

protected:
    void TexteHolen() override;
    void TexteZeigen() override;

private:
    void Anlegen();
    void Beenden();
    void VerkaufsgasZeigen();

    CDlgInput& m_Dlg;
    QLabel* m_pVerkaufsgas = nullptr; // Hs,n, Ws,n and family of the composition as typed
};
