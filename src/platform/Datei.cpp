#include "platform/Datei.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
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
// that saving renews that file and leaves the link a link.
std::filesystem::path Zieldatei(const std::string& pfad)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(pfad, ec))
        return pfad;
    const std::filesystem::path echt = std::filesystem::weakly_canonical(pfad, ec);
    return ec ? std::filesystem::path(pfad) : echt;
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

} // namespace

CErgebnis<> DateiAtomarSchreiben(const std::string& zielpfad, const std::string& bytes)
{
    std::string fehler;
    const std::filesystem::path ziel = Zieldatei(zielpfad);
    const std::string pfad = ziel.string();
    if (Schreibgeschuetzt(ziel))
        return CFehler{"Die Datei ist schreibgeschützt; sie wird nicht ersetzt."};
    const std::filesystem::path verzeichnis = ziel.has_parent_path() ? ziel.parent_path() : std::filesystem::path(".");
    std::string vorlage = (verzeichnis / ("." + ziel.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(vorlage.data());
    if (fd < 0)
        return CFehler{"Die Datei kann nicht angelegt werden (" + Grund() + ")."};
    bool ok = true;
    size_t geschrieben = 0;
    while (ok && geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            geschrieben += static_cast<size_t>(n);
    }
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
