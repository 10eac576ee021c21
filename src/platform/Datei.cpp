#include "platform/Datei.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pthread.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Largest file we take as a document or profile: far beyond any real one.
constexpr std::uintmax_t kMaxDateigroesse = 256u * 1024u * 1024u;

// The reason of the last failed system call, in German: the common causes
// in words of our own, the rest with the system's number.
std::string Grund()
{
    switch (errno) {
    case ENOENT: return "nicht gefunden";
    case EACCES:
    case EPERM: return "keine Berechtigung";
    case ENOSPC: return "der Datenträger ist voll";
    case EDQUOT: return "das Speicherkontingent ist erschöpft";
    case EROFS: return "der Datenträger ist schreibgeschützt";
    case EISDIR: return "das ist ein Verzeichnis";
    case ENOTDIR: return "ein Teil des Pfades ist kein Verzeichnis";
    case ENAMETOOLONG: return "der Dateiname ist zu lang";
    case EBUSY:
    case ETXTBSY: return "die Datei wird gerade benutzt";
    case EIO: return "Ein-/Ausgabefehler des Datenträgers";
    case EPIPE: return "der Leser hat die Pipe geschlossen";
    case ENXIO: return "das Gerät ist nicht bereit";
    default: return "Systemfehler " + std::to_string(errno);
    }
}

} // namespace

CErgebnis<std::string> DateiLesen(const std::string& pfad)
{
    std::error_code ec;
    if (std::filesystem::is_directory(pfad, ec))
        return CFehler{"Das ist ein Verzeichnis, keine Datei."};
    std::ifstream datei(pfad, std::ios::binary);
    if (!datei)
        return CFehler{"Die Datei kann nicht geöffnet werden (" + Grund() + ")."};
    const auto groesse = std::filesystem::file_size(pfad, ec);
    if (!ec && groesse > kMaxDateigroesse)
        return CFehler{"Die Datei ist zu groß für eine Kalvo-Datei."};
    std::ostringstream inhalt;
    inhalt << datei.rdbuf();
    if (datei.bad())
        return CFehler{"Die Datei kann nicht gelesen werden."};
    return inhalt.str();
}

namespace {

// The file a path names: through a symbolic link the file it points to, so
// that saving renews that file and leaves the link a link. A link whose file
// does not exist yet is followed as well: the file is made where it points.
std::filesystem::path Zieldatei(const std::string& pfad)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p = pfad;
    for (int schritte = 0; schritte < 40 && fs::is_symlink(p, ec); ++schritte) {
        const fs::path weiter = fs::read_symlink(p, ec);
        if (ec)
            return pfad;
        p = weiter.is_absolute() ? weiter : p.parent_path() / weiter;
    }
    if (p == fs::path(pfad))
        return p;
    const fs::path echt = fs::weakly_canonical(p, ec);
    return ec ? p : echt;
}

std::filesystem::path Ordner(const std::filesystem::path& datei)
{
    return datei.has_parent_path() ? datei.parent_path() : std::filesystem::path(".");
}

// A file whose write permissions are all taken away is one its owner
// protects: it is not replaced, even where the directory would allow it
// (and even for root, whom access() never refuses).
bool Schreibgeschuetzt(const std::filesystem::path& ziel)
{
    struct stat st {};
    if (::stat(ziel.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(ziel.c_str(), W_OK) != 0;
}

// What a target path names, through any links.
enum class EZiel {
    Neu,       // nothing yet: a file is made
    Datei,     // a regular file: replaced atomically
    Strom,     // a character device or a pipe: written in place
    Abgelehnt, // a directory, block device or socket: never touched
    Unbekannt, // stat failed for another reason than a missing file
};

struct CZiel {
    EZiel art = EZiel::Neu;
    struct stat st {};
    std::string grund; // for Abgelehnt and Unbekannt
};

CZiel Zielart(const std::string& pfad)
{
    CZiel z;
    if (::stat(pfad.c_str(), &z.st) != 0) {
        if (errno == ENOENT) {
            z.art = EZiel::Neu;
        } else {
            z.art = EZiel::Unbekannt;
            z.grund = "Die Datei kann nicht geprüft werden (" + Grund() + ").";
        }
        return z;
    }
    const mode_t m = z.st.st_mode;
    if (S_ISREG(m)) {
        z.art = EZiel::Datei;
    } else if (S_ISCHR(m) || S_ISFIFO(m)) {
        z.art = EZiel::Strom;
    } else {
        z.art = EZiel::Abgelehnt;
        z.grund = S_ISDIR(m)   ? "Das ist ein Verzeichnis, keine Datei; es wird nicht ersetzt."
                  : S_ISBLK(m) ? "Das ist ein Blockgerät (ein Datenträger), keine Datei; es wird nicht überschrieben."
                               : "Das ist keine Datei, sondern ein Socket; es wird nicht ersetzt.";
    }
    return z;
}

// The standard output or error of this process when it is the file `st`
// describes, else -1.
int Standardstrom(const struct stat& st)
{
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat s {};
        if (::fstat(fd, &s) == 0 && s.st_dev == st.st_dev && s.st_ino == st.st_ino)
            return fd;
    }
    return -1;
}

// Writes every byte; false with errno set on failure. A pipe whose reader has
// gone fails with EPIPE instead of ending the process with SIGPIPE: the
// signal is blocked on this thread meanwhile and a pending one taken away.
bool AllesSchreiben(int fd, const std::string& bytes)
{
    sigset_t rohr, alt;
    sigemptyset(&rohr);
    sigaddset(&rohr, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &rohr, &alt);
    bool ok = true;
    bool gebrochen = false;
    size_t geschrieben = 0;
    while (ok && geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            gebrochen = errno == EPIPE;
            ok = false;
        } else {
            geschrieben += static_cast<size_t>(n);
        }
    }
    const int fehler = errno;
    if (gebrochen && !sigismember(&alt, SIGPIPE)) {
        const struct timespec sofort {};
        while (::sigtimedwait(&rohr, nullptr, &sofort) == SIGPIPE) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &alt, nullptr);
    errno = fehler;
    return ok;
}

// A device or a pipe: opened as it is (no file is made, nothing truncated)
// and written; a pipe's open waits for its reader.
CErgebnis<> AnOrtSchreiben(const std::string& pfad, const std::string& bytes)
{
    int fd = -1;
    do
        fd = ::open(pfad.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return CFehler{"Die Datei kann nicht geöffnet werden (" + Grund() + ")."};
    bool ok = AllesSchreiben(fd, bytes);
    std::string fehler = ok ? "" : "Die Datei kann nicht geschrieben werden (" + Grund() + ").";
    if (::close(fd) != 0 && ok && errno != EINTR) {
        fehler = "Die Datei kann nicht geschrieben werden (" + Grund() + ").";
        ok = false;
    }
    if (!ok)
        return CFehler{fehler};
    return {};
}

} // namespace

CErgebnis<> ZielPruefen(const std::string& zielpfad)
{
    const CZiel z = Zielart(zielpfad);
    switch (z.art) {
    case EZiel::Strom: return {};
    case EZiel::Abgelehnt:
    case EZiel::Unbekannt: return CFehler{z.grund};
    case EZiel::Datei:
    case EZiel::Neu: break;
    }
    const std::filesystem::path ziel = Zieldatei(zielpfad);
    if (z.art == EZiel::Datei && Schreibgeschuetzt(ziel))
        return CFehler{"Die Datei ist schreibgeschützt; sie wird nicht ersetzt."};
    if (z.art == EZiel::Datei && Standardstrom(z.st) >= 0)
        return {};
    const std::filesystem::path ordner = Ordner(ziel);
    struct stat st {};
    if (::stat(ordner.c_str(), &st) != 0)
        return CFehler{"Die Datei kann nicht angelegt werden (der Ordner " + ordner.string() + ": " + Grund() + ")."};
    if (!S_ISDIR(st.st_mode))
        return CFehler{"Die Datei kann nicht angelegt werden (" + ordner.string() + " ist kein Ordner)."};
    if (::access(ordner.c_str(), W_OK | X_OK) != 0)
        return CFehler{"Die Datei kann nicht angelegt werden (der Ordner " + ordner.string() + ": " + Grund() + ")."};
    return {};
}

CErgebnis<std::string> ArbeitsdateiAnlegen(const std::string& zielpfad, std::string_view endung)
{
    std::filesystem::path ordner;
    std::string name = "kalvo";
    if (Zielart(zielpfad).art == EZiel::Strom) {
        const char* tmp = std::getenv("TMPDIR");
        std::error_code ec;
        ordner = tmp && *tmp && std::filesystem::is_directory(tmp, ec) ? std::filesystem::path(tmp) : "/tmp";
    } else {
        const std::filesystem::path ziel = Zieldatei(zielpfad);
        ordner = Ordner(ziel);
        name = ziel.filename().string();
    }
    std::string vorlage = (ordner / ("." + name + ".XXXXXX")).string() + std::string(endung);
    const int fd = ::mkstemps(vorlage.data(), static_cast<int>(endung.size()));
    if (fd < 0)
        return CFehler{"Die Arbeitsdatei kann nicht angelegt werden (" + Grund() + ")."};
    ::close(fd);
    return vorlage;
}

CErgebnis<> DateiAtomarSchreiben(const std::string& zielpfad, const std::string& bytes)
{
    const CZiel art = Zielart(zielpfad);
    if (art.art == EZiel::Strom)
        return AnOrtSchreiben(zielpfad, bytes);
    if (art.art == EZiel::Abgelehnt)
        return CFehler{art.grund};
    if (art.art == EZiel::Datei) {
        if (const int fd = Standardstrom(art.st); fd >= 0) {
            if (!AllesSchreiben(fd, bytes))
                return CFehler{"Die Datei kann nicht geschrieben werden (" + Grund() + ")."};
            return {};
        }
    }
    std::string fehler;
    const std::filesystem::path ziel = Zieldatei(zielpfad);
    const std::string pfad = ziel.string();
    if (Schreibgeschuetzt(ziel))
        return CFehler{"Die Datei ist schreibgeschützt; sie wird nicht ersetzt."};
    const std::filesystem::path verzeichnis = Ordner(ziel);
    std::string vorlage = (verzeichnis / ("." + ziel.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(vorlage.data());
    if (fd < 0)
        return CFehler{"Die Datei kann nicht angelegt werden (" + Grund() + ")."};
    bool ok = AllesSchreiben(fd, bytes);
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (!ok)
        fehler = "Die Datei kann nicht geschrieben werden (" + Grund() + ").";
    // A new file gets the usual permissions instead of mkstemp's 0600;
    // an existing one keeps its own.
    struct stat alt {};
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ::fchmod(fd, ::stat(pfad.c_str(), &alt) == 0 ? (alt.st_mode & 07777) : (0666 & ~maske));
    if (::close(fd) != 0 && ok) {
        fehler = "Die Datei kann nicht geschrieben werden (" + Grund() + ").";
        ok = false;
    }
    if (ok && std::rename(vorlage.c_str(), pfad.c_str()) != 0) {
        fehler = "Die Datei kann nicht ersetzt werden (" + Grund() + ").";
        ok = false;
    }
    if (ok)
        return {};
    std::remove(vorlage.c_str());
    return CFehler{fehler};
}
