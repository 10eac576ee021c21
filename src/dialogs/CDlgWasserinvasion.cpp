#include "dialogs/CDlgWasserinvasion.h"

#include "platform/Format.h"

namespace {

// A factor of the client size: the factor as a 32-bit float, multiplied in
// double precision and truncated toward zero.
int Teil(float faktor, int groesse)
{
    return static_cast<int>(double(faktor) * groesse);
}

} // namespace

void CDlgWasserinvasion::OnPaint(CDC& dc, int w, int h) const
{
    const CPinsel weiss{false, {255, 255, 255}};
    const CStift schwarz{EStiftStil::Durchgezogen, 1, {0, 0, 0}};
    const CStift rot{EStiftStil::Durchgezogen, 1, {255, 0, 0}};
    const CPinsel alterPinsel = dc.SelectObject(weiss);
    const CStift alterStift = dc.SelectObject(schwarz);

    dc.Rectangle(Teil(0.05f, w), Teil(0.05f, h), Teil(0.95f, w), Teil(0.95f, h));
    dc.MoveTo(Teil(0.1f, w), Teil(0.1f, h));
    dc.LineTo(Teil(0.1f, w), Teil(0.8f, h));
    dc.LineTo(Teil(0.1f, w), Teil(0.8f, h) + 5);
    dc.MoveTo(Teil(0.1f, w), Teil(0.8f, h));
    dc.LineTo(Teil(0.8f, w), Teil(0.8f, h));
    dc.LineTo(Teil(0.8f, w), Teil(0.8f, h) + 5);

    dc.TextOut(Teil(0.1f, w) - 5, Teil(0.83f, h), "0");
    dc.TextOut(Teil(0.3f, w), Teil(0.83f, h), "Gasproduktion ->");
    dc.TextOut(Teil(0.1f, w), Teil(0.1f, h), "P/Z");
    dc.TextOut(Teil(0.75f, w), Teil(0.83f, h), "OGIP");

    dc.MoveTo(Teil(0.1f, w), Teil(0.3f, h));
    dc.SelectObject(rot);
    const int yEnde = static_cast<int>(h * double(0.5f) * (1.0 - double(m_fWe) * double(0.01f)) + h * double(0.3f));
    dc.LineTo(Teil(0.8f, w), yEnde);
    dc.TextOut(Teil(0.3f, w), Teil(0.1f, h), Format("We:%6.1f", double(m_fWe)) + " %");

    dc.SelectObject(alterStift);
    dc.SelectObject(alterPinsel);
}
