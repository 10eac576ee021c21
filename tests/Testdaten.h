#pragma once
// Fields and documents the tests build on.

#include "doc/CKalvoDoc.h"
#include "model/Feldsatz.h"
#include "run/CLauf.h"

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

// The FeldA example of the record format: 2003, 93.1 % CH4, 380 bar, 6 wells …
CFeldwerte FeldA();

// A record of the field with 4 stage rows generated from its head values.
std::string Feldsatz(const CFeldwerte& feld);

// A record with the given stage rows.
std::string Feldsatz(const CFeldwerte& feld, const CStufen& stufen);

// Pure methane field with the given name, start year and OGIP.
CFeldwerte MethanFeld(const std::string& name, int start, float ogip = 5000.0f);

// One part of a run (the summary, a profile merge) on the run's own state,
// with the texts of the messages it gave.
struct CTeillauf {
    CLauf doc{CLaufEingabe{}, nullptr};
    std::vector<std::string> Meldungen() const
    {
        std::vector<std::string> t;
        for (const auto& m : doc.m_Meldungen)
            t.push_back(m.text);
        return t;
    }
};

// The run's input of a sample file as the document gives it (its own threads setting).
CLaufEingabe LaufEingabeAus(const char* pfad);

// The bytes of a file; the test fails (and gets "") when it cannot be read.
std::string DateiInhalt(const std::string& pfad);

// Reads a pipe to its end on its own thread, as `cat fifo` would; with
// `hoechstens` it stops after that many bytes and closes the pipe early.
class CLeser {
public:
    explicit CLeser(const std::filesystem::path& fifo, size_t hoechstens = SIZE_MAX)
        : m_Faden([this, fifo, hoechstens] {
              const int fd = ::open(fifo.c_str(), O_RDONLY);
              if (fd < 0)
                  return;
              char puffer[4096];
              for (ssize_t n; m_Gelesen.size() < hoechstens && (n = ::read(fd, puffer, sizeof puffer)) > 0;)
                  m_Gelesen.append(puffer, static_cast<size_t>(std::min<size_t>(static_cast<size_t>(n), hoechstens)));
              ::close(fd);
          })
    {}
    std::string Ende()
    {
        m_Faden.join();
        return m_Gelesen;
    }

private:
    std::string m_Gelesen;
    std::thread m_Faden;
};
