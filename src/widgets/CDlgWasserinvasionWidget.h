#pragma once
// The window of the water-invasion chart.

#include "dialogs/CDlgWasserinvasion.h"
#include "widgets/CDialogFenster.h"

class CDlgWasserinvasionWidget : public CDialogFenster {
    Q_OBJECT
public:
    CDlgWasserinvasionWidget(float we, QWidget* eltern = nullptr);

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void TexteHolen() override {}
    void TexteZeigen() override {}

private:
    CDlgWasserinvasion m_Dlg;
};
