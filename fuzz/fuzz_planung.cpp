// The plan file on arbitrary contents: a plan it takes is written and read
// back to the same plan (its scenarios included), and writing that again
// gives the same bytes.
#include "planung/Planung.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const CErgebnis<CPlanung> plan =
        PlanungLesen(std::string_view(reinterpret_cast<const char*>(daten), groesse), 2002, 2030);
    if (!plan)
        return 0;
    const std::string text = PlanungText(*plan);
    CErgebnis<CPlanung> wieder = PlanungLesen(text, 2002, 2030);
    if (!wieder)
        std::abort();
    CPlanung a = *plan, b = *wieder;
    a.roh.clear();
    b.roh.clear();
    if (!(a == b) || PlanungText(*wieder) != text)
        std::abort();
    return 0;
}
