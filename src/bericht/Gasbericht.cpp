#include "bericht/Gasbericht.h"

#include "platform/Format.h"

void GasberichtSchreiben(const CFeldwerte& f, const CGaseigenschaften& gas, std::vector<std::string>& bericht)
{
    const auto zeile = [&](std::string text) { bericht.push_back(std::move(text)); };
    const auto d = [](float v) { return static_cast<double>(v); };

    zeile("");
    zeile(Format("   GASEIGENSCHAFTEN DES FELDES %s: ", f.m_sFeldname.c_str()));
    zeile("");
    zeile(Format("   LAGERSTAETTENTEMPERATUR  (GRAD C): %6.1f", d(f.m_fTcel)));
    zeile("");
    zeile("   KOMPONENTE          ANTEIL (%)  KORRIGIERT(%)");
    zeile("");
    for (int i = 0; i < kAnzahlKomponenten; ++i)
        zeile(Format("   %s     %6.2f %12.2f", KomponentenName(i), d(f.m_fAnteil[i]), d(gas.m_fAnteilKorr[i])));
    zeile("");
    zeile("   KONSTANTE ZUR BERECHNUNG DER VISKOSITAET NACH LEE");
    zeile("");
    zeile(Format("   K: %10.3f    X: %10.3f    Y: %10.3f", gas.m_dLeeK, gas.m_dLeeX, gas.m_dLeeY));
    zeile("");
    zeile(Format("   RELATIVE GASDICHTE (LUFT=1)       (-): %8.3f", gas.m_fMolgewicht / kMolgewichtLuft));
    zeile(Format("   GASDICHTE U. NORMALBED.      (KG/M*3): %8.3f", gas.m_dRhoN));
    zeile(Format("   ORIGINAL GAS IN PLACE       (MIO M*3): %8.1f", d(f.m_fOGIP)));
    zeile(Format("   INITIALDRUCK PI                 (BAR): %8.1f", d(f.m_fPi)));
    zeile(Format("   PERMEABILITAET HORIZONTAL        (MD): %8.3f", d(f.m_fPermHorizontal)));
    zeile(Format("   PERMEABILITAET  VERTIKAL         (MD): %8.3f", d(f.m_fPermVertikal)));
    zeile(Format("   MAECHTIGKEIT BANKRECHT            (M): %8.1f", d(f.m_fMaechtigkeitBankrecht)));
    zeile(Format("   MAECHTIGKEIT ERBOHRT              (M): %8.1f", d(f.m_fMaechtigkeitErbohrt)));
    zeile(Format("   EINFLUSSRADIUS RE                 (M): %8.1f", d(f.m_fEinflussradius)));
    zeile(Format("   LAGERSTAETTENTEUFE                (M): %8.1f", d(f.m_fTeufe)));
    zeile(Format("   MAX.WASSERINVASION          (PROZENT): %8.1f", d(f.m_fWasserinvasion)));
    zeile(Format("   STEIGROHRDURCHMESSER DI          (CM): %8.1f", d(f.m_fSteigrohrDi)));
    zeile(Format("   KOPFTEMPERATUR               (GRAD C): %8.1f", d(f.m_fKopftemperatur)));
    zeile(Format("   KUM.PRODUKTION BEGINN       (MIO M*3): %8.1f", d(f.m_fKumProdBeginn)));
    zeile(Format("   LAENGE DER HORIZONTALBOHRUNG      (M): %8.1f", d(f.m_fHorizontallaenge)));
    zeile(Format("   KOPFFLIESSDRUCK                 (BAR): %8.1f", d(f.m_fKopfdruck)));
    zeile(Format("   BOHRUNGSANZAHL                    (-): %8d  ", f.m_iBohrungen));
    zeile(Format("   A1-WERT                           (-): %8.1f", d(f.m_fA1)));
    zeile(Format("   B1-WERT                           (-): %8.3f", d(f.m_fB1)));
    zeile(Format("   C-WERT                  (M*3/H BAR*2): %8.3f", d(f.m_fCWert)));
    zeile(f.m_bDruckabhaengig == 0 ? "   A1,B1,C-WERT KONSTANT" : "   A1,B1,C-WERT DRUCKABHAENGIG");
    zeile(Format("   REFERENZDRUCK FUER C-WERT       (BAR): %8.1f", d(f.m_fReferenzdruck)));
    zeile(Format("   FOERDERBEGINN                  (JAHR): %8d  ", f.m_iFoerderbeginn));
    zeile(Format("   FOERDERSTUNDEN JE JAHR            (H): %8d  ", f.m_iFoerderstunden));
    zeile(Format("   MAX.BOHRUNGSENTNAHMERATE      (M*3/H): %8.1f", d(f.m_fMaxRate)));
    zeile(Format("   KONSORTIAL-ANTEIL           (PROZENT): %8.1f", d(f.m_fKonsAnteil)));
}
