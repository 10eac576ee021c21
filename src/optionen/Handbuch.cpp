#include "optionen/Handbuch.h"

#include "optionen/Optionstabelle.h"

namespace {

// Text as roff shows it: a backslash and a hyphen-minus escaped (an option's
// "--" must stay two minus signs to be copied), a line never begins with a
// control character.
std::string Roff(std::string_view text)
{
    std::string aus;
    for (const char c : text) {
        if (c == '\\')
            aus += "\\e";
        else if (c == '-')
            aus += "\\-";
        else
            aus += c;
    }
    if (!aus.empty() && (aus.front() == '.' || aus.front() == '\''))
        aus.insert(0, "\\&");
    return aus;
}

// The help text's lines as one paragraph.
std::string Absatz(std::string_view hilfe)
{
    std::string text(hilfe);
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return Roff(text);
}

void Ersetzen(std::string& text, const std::string& marke, const std::string& durch)
{
    for (size_t stelle; (stelle = text.find(marke)) != std::string::npos;)
        text.replace(stelle, marke.size(), durch);
}

} // namespace

std::string HandbuchOptionen()
{
    std::string roff;
    for (const COption& option : Optionstabelle()) {
        roff += ".TP\n\\fB" + Roff(option.name) + "\\fR";
        if (option.kurzname)
            roff += ", \\fB" + Roff(option.kurzname) + "\\fR";
        if (*option.platzhalter)
            roff += " \\fI" + Roff(option.platzhalter) + "\\fR";
        roff += "\n" + Absatz(option.hilfe) + "\n";
    }
    return roff;
}

std::string HandbuchSeite(const std::string& vorlage, const std::string& version)
{
    std::string seite = vorlage;
    Ersetzen(seite, "@OPTIONEN@\n", HandbuchOptionen());
    Ersetzen(seite, "@VERSION@", version);
    return seite;
}
