// Writing onto whatever a path names: a new or existing file, a link, a pipe,
// a device, a directory, a socket. Nothing that is not a regular file is ever
// replaced by one.
#include "platform/Datei.h"
#include "Testdaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path FrischerOrdner(const std::string& name)
{
    const fs::path ordner = fs::temp_directory_path() / name;
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    return ordner;
}

mode_t Art(const fs::path& pfad)
{
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// A character device like /dev/null (1,3) made in the test's own folder when
// the test may make devices (root), so that the system's /dev/null is never
// at stake; else the system's, which an unprivileged process cannot replace.
fs::path Nullgeraet(const fs::path& ordner)
{
    const fs::path eigen = ordner / "null";
    if (::geteuid() == 0 && ::mknod(eigen.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        return eigen;
    return "/dev/null";
}

} // namespace

TEST(Datei, EveryKindOfTargetIsWrittenInPlaceReplacedOrRefused)
{
    const fs::path o = FrischerOrdner("kalvo_test_ziele");
    struct CFall {
        const char* name;
        std::function<fs::path()> anlegen; // makes the target, returns the path to write
        mode_t artDanach;                  // what the path names afterwards
        const char* fehler;                // "" when written
        bool fifo = false;                 // a reader takes the bytes
    };
    const CFall faelle[] = {
        {"neue Datei", [&] { return o / "neu.csv"; }, S_IFREG, ""},
        {"bestehende Datei",
         [&] {
             EXPECT_TRUE(DateiAtomarSchreiben((o / "alt.csv").string(), "alt"));
             return o / "alt.csv";
         },
         S_IFREG, ""},
        {"Verweis auf eine Datei",
         [&] {
             EXPECT_TRUE(DateiAtomarSchreiben((o / "echt.csv").string(), "alt"));
             fs::create_symlink("echt.csv", o / "verweis.csv");
             return o / "verweis.csv";
         },
         S_IFREG, ""},
        {"Verweis auf eine Datei, die es noch nicht gibt",
         [&] {
             fs::create_symlink("spaeter.csv", o / "vorab.csv");
             return o / "vorab.csv";
         },
         S_IFREG, ""},
        {"Pipe",
         [&] {
             ::mkfifo((o / "rohr").c_str(), 0600);
             return o / "rohr";
         },
         S_IFIFO, "", true},
        {"Verweis auf eine Pipe",
         [&] {
             ::mkfifo((o / "rohr2").c_str(), 0600);
             fs::create_symlink("rohr2", o / "rohrverweis");
             return o / "rohrverweis";
         },
         S_IFIFO, "", true},
        {"Zeichengerät", [&] { return Nullgeraet(o); }, S_IFCHR, ""},
        {"Verzeichnis",
         [&] {
             fs::create_directory(o / "ordner.csv");
             return o / "ordner.csv";
         },
         S_IFDIR, "Das ist ein Verzeichnis, keine Datei; es wird nicht ersetzt."},
        {"Socket",
         [&] {
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un adresse{};
             adresse.sun_family = AF_UNIX;
             const std::string pfad = (o / "sock").string();
             pfad.copy(adresse.sun_path, sizeof adresse.sun_path - 1);
             EXPECT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
             ::close(s);
             return o / "sock";
         },
         S_IFSOCK, "Das ist keine Datei, sondern ein Socket; es wird nicht ersetzt."},
        {"fehlender Ordner", [&] { return o / "fehlt" / "x.csv"; }, 0, "Die Datei kann nicht angelegt werden ("},
    };
    for (const CFall& f : faelle) {
        SCOPED_TRACE(f.name);
        const fs::path ziel = f.anlegen();
        const CErgebnis<> geprueft = ZielPruefen(ziel.string());
        std::optional<CLeser> leser;
        if (f.fifo)
            leser.emplace(ziel);
        const CErgebnis<> geschrieben = DateiAtomarSchreiben(ziel.string(), "Jahr;Ist\r\n");
        if (*f.fehler == '\0') {
            EXPECT_TRUE(geprueft) << geprueft.Fehlertext();
            EXPECT_TRUE(geschrieben) << geschrieben.Fehlertext();
        } else {
            EXPECT_EQ(geprueft.Fehlertext().substr(0, std::string(f.fehler).size()), f.fehler);
            EXPECT_EQ(geschrieben.Fehlertext().substr(0, std::string(f.fehler).size()), f.fehler)
                << geschrieben.Fehlertext();
        }
        EXPECT_EQ(Art(ziel), f.artDanach);
        if (leser) {
            EXPECT_EQ(leser->Ende(), "Jahr;Ist\r\n");
        } else if (f.artDanach == S_IFREG) {
            EXPECT_EQ(DateiInhalt(ziel.string()), "Jahr;Ist\r\n");
        }
    }
    EXPECT_TRUE(fs::is_symlink(o / "verweis.csv"));
    EXPECT_TRUE(fs::is_symlink(o / "rohrverweis"));
    EXPECT_TRUE(fs::is_symlink(o / "vorab.csv"));
    EXPECT_EQ(DateiInhalt((o / "spaeter.csv").string()), "Jahr;Ist\r\n");
    EXPECT_EQ(Art("/dev/null"), S_IFCHR);
    // Nothing left behind: no work file beside any target.
    for (const auto& eintrag : fs::directory_iterator(o))
        EXPECT_NE(eintrag.path().filename().string()[0], '.') << eintrag.path();
    fs::remove_all(o);
}

// A pipe whose reader goes away mid-write is a failure with a reason, not the
// end of the process by SIGPIPE.
TEST(Datei, APipeClosedByItsReaderIsAFailureNotTheEnd)
{
    const fs::path o = FrischerOrdner("kalvo_test_rohrbruch");
    const fs::path rohr = o / "rohr";
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    CLeser leser(rohr, 1);
    const CErgebnis<> geschrieben = DateiAtomarSchreiben(rohr.string(), std::string(4u << 20, 'x'));
    EXPECT_EQ(leser.Ende(), "x");
    EXPECT_EQ(geschrieben.Fehlertext(),
              "Die Datei kann nicht geschrieben werden (der Leser hat die Pipe geschlossen).");
    EXPECT_EQ(Art(rohr), S_IFIFO);
    fs::remove_all(o);
}

// A work file for a library that writes by name: unique, beside the target
// (never a fixed name in a shared folder); for a pipe in the temporary
// folder, and a $TMPDIR that names no folder is no failure.
TEST(Datei, WorkFilesAreUniqueBesideTheTargetAndSurviveAMissingTmpdir)
{
    const fs::path o = FrischerOrdner("kalvo_test_arbeit");
    const std::string ziel = (o / "Plan.xlsx").string();
    const CErgebnis<std::string> a = ArbeitsdateiAnlegen(ziel, ".xlsx");
    const CErgebnis<std::string> b = ArbeitsdateiAnlegen(ziel, ".xlsx");
    ASSERT_TRUE(a && b);
    EXPECT_NE(*a, *b);
    for (const std::string* p : {&*a, &*b}) {
        EXPECT_EQ(fs::path(*p).parent_path(), o);
        EXPECT_EQ(fs::path(*p).extension(), ".xlsx");
        EXPECT_EQ(fs::file_size(*p), 0u);
    }

    const fs::path rohr = o / "rohr";
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    const char* alt = std::getenv("TMPDIR");
    const std::string altWert = alt ? alt : "";
    for (const char* tmpdir : {"/gibt/es/nicht", o.c_str()}) {
        SCOPED_TRACE(tmpdir);
        ::setenv("TMPDIR", tmpdir, 1);
        const CErgebnis<std::string> c = ArbeitsdateiAnlegen(rohr.string(), ".xlsx");
        ASSERT_TRUE(c) << c.Fehlertext();
        EXPECT_EQ(fs::path(*c).parent_path(), fs::exists(tmpdir) ? fs::path(tmpdir) : fs::path("/tmp"));
        fs::remove(*c);
    }
    if (alt)
        ::setenv("TMPDIR", altWert.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    fs::remove_all(o);
}
