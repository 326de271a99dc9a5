// Saving beside other users and other programs: a sticky folder, a link
// whose target does not exist yet, temporaries an ended run left behind, and
// a file another program wrote since it was read here.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileReplacement.h"
#include "platform/Temporaries.h"
#include "tests/app/fichero/fichero_test_support.h"

namespace {

using namespace fichero_test;

class DiscoTest : public DataFileTest {};

const std::string kRect =
    crlf({"1", "0.4", "0.6", "0.05", "10", "0", "25", "500", "1.5", "1.15", "1.4", "0.125", "0", "0"});

// In a sticky folder the rename over another user's file is refused; a file
// the user may write is then written in place, and nothing else is left.
TEST_F(DiscoTest, StickyFolderWritesAnotherUsersWritableFileInPlace) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to own the file as another user";
    const fs::path pegajosa = dir / "pegajosa";
    fs::create_directory(pegajosa);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(chmod(pegajosa.c_str(), 01777), 0);
    const std::string ajeno = (pegajosa / "ajeno.krf").string();
    const std::string fijo = (pegajosa / "fijo.krf").string();
    writeBytes(ajeno, std::string(300, 'x'));
    writeBytes(fijo, "old");
    ASSERT_EQ(chmod(ajeno.c_str(), 0666), 0);
    ASSERT_EQ(chmod(fijo.c_str(), 0644), 0);
    if (seteuid(65534) != 0) GTEST_SKIP() << "cannot act as another user";
    auto& c = General::Caso;
    c.Error_Datos = false;
    fichero::Grabar_Flexion(ajeno, 1);
    const bool ajenoFallo = c.Error_Datos;
    c.Error_Datos = false;
    fichero::Grabar_Flexion(fijo, 1);
    const bool fijoFallo = c.Error_Datos;
    ASSERT_EQ(seteuid(0), 0);
    EXPECT_FALSE(ajenoFallo);
    EXPECT_EQ(readBytes(ajeno), kRect);
    struct stat st {};
    ASSERT_EQ(stat(ajeno.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);  // still the other user's file
    EXPECT_TRUE(fijoFallo);
    EXPECT_EQ(readBytes(fijo), "old");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Error 75: No se puede acceder a la ruta o al fichero.");
    EXPECT_EQ(folderEntries(pegajosa), (std::vector<std::string>{"ajeno.krf", "fijo.krf"}));
}

// A save onto a link whose target does not exist creates the target, and
// the link stays a link; a relative and an absolute link, and a chain.
TEST_F(DiscoTest, DanglingLinkGetsItsTargetCreated) {
    fs::create_directory(dir / "datos");
    const struct {
        const char* enlace;
        std::string destino;  // as the link holds it
        const char* creado;   // the file that must appear
    } casos[] = {
        {"relativo.krf", "datos/viga.krf", "datos/viga.krf"},
        {"absoluto.krf", (dir / "datos" / "pilar.krf").string(), "datos/pilar.krf"},
        {"cadena.krf", "relativo2.krf", "datos/losa.krf"},
    };
    fs::create_symlink("datos/losa.krf", dir / "relativo2.krf");
    for (const auto& k : casos) {
        SCOPED_TRACE(k.enlace);
        fs::create_symlink(k.destino, dir / k.enlace);
        General::Caso.Error_Datos = false;
        fichero::Grabar_Flexion(path(k.enlace), 1);
        EXPECT_FALSE(General::Caso.Error_Datos);
        EXPECT_TRUE(fs::is_symlink(dir / k.enlace));
        EXPECT_EQ(readBytes(dir / k.creado), kRect);
    }
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(folderEntries(dir / "datos"),
              (std::vector<std::string>{"losa.krf", "pilar.krf", "viga.krf"}));
}

// The pid of a process that has ended.
pid_t endedPid() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    int status = 0;
    waitpid(pid, &status, 0);
    return pid;
}

// A temporary of an ended run goes at the next save in its folder; one of a
// running program, of this run, or a name that only looks like one, stays.
TEST_F(DiscoTest, StaleTemporariesOfEndedRunsGoAtTheNextSave) {
    const std::string muerto = ".krtmp" + std::to_string(endedPid()) + "-3";
    const std::string vivo = ".krtmp" + std::to_string(getppid()) + "-0";
    const std::vector<std::string> quedan = {".krtmp1x-2", ".krtmp" + std::to_string(endedPid()) + "-",
                                             vivo, "notas.krtmp9-9"};
    writeBytes(path(muerto), "half");
    for (const std::string& n : quedan) writeBytes(path(n), "keep");
    fichero::Grabar_Flexion(path("viga.krf"), 1);
    std::vector<std::string> esperado = quedan;
    esperado.push_back("viga.krf");
    std::sort(esperado.begin(), esperado.end());
    EXPECT_EQ(folderEntries(dir), esperado);
}

// The temporaries being written are what removeTemporaries() removes (the
// signal path); a committed or discarded one is no longer in its table.
TEST_F(DiscoTest, TemporariesBeingWrittenCanBeRemovedFromASignalPath) {
    platform::FileReplacement hecho;
    ASSERT_EQ(hecho.open(path("hecho.krf")), 0);
    ASSERT_EQ(hecho.commit(), 0);
    platform::FileReplacement a, b;
    ASSERT_EQ(a.open(path("a.krf")), 0);
    ASSERT_EQ(b.open(path("b.krf")), 0);
    EXPECT_EQ(folderEntries(dir).size(), 3u);
    platform::removeTemporaries();
    EXPECT_EQ(folderEntries(dir), std::vector<std::string>{"hecho.krf"});
}

// Another program's change since the file was read or written here: size,
// time or identity; a file gone since, or never read here, is no change.
TEST_F(DiscoTest, AChangeByAnotherProgramIsTold) {
    const std::string viga = path("viga.krf");
    fichero::Grabar_Flexion(viga, 1);
    EXPECT_FALSE(fichero::Cambiado_Por_Otro(viga));
    int16_t kind = 0;
    fichero::Leer_Flexion(viga, kind);
    EXPECT_FALSE(fichero::Cambiado_Por_Otro(viga));
    EXPECT_FALSE(fichero::Cambiado_Por_Otro(path("otro.krf")));

    struct Cambio {
        const char* nombre;
        void (*hacer)(const std::string&);
        bool cambiado;
    };
    const Cambio cambios[] = {
        {"longer", [](const std::string& f) { writeBytes(f, kRect + "\r\n"); }, true},
        {"same size, other time",
         [](const std::string& f) {
             writeBytes(f, kRect);
             struct timespec t[2] = {{0, UTIME_OMIT}, {1000, 0}};
             utimensat(AT_FDCWD, f.c_str(), t, 0);
         },
         true},
        {"replaced by another file",
         [](const std::string& f) {
             const std::string otro = f + ".nuevo";
             struct stat st {};
             stat(f.c_str(), &st);
             writeBytes(otro, kRect);
             struct timespec t[2] = {st.st_atim, st.st_mtim};
             utimensat(AT_FDCWD, otro.c_str(), t, 0);
             rename(otro.c_str(), f.c_str());
         },
         true},
        {"removed", [](const std::string& f) { fs::remove(f); }, false},
    };
    for (const Cambio& k : cambios) {
        SCOPED_TRACE(k.nombre);
        fichero::Grabar_Flexion(viga, 1);
        k.hacer(viga);
        EXPECT_EQ(fichero::Cambiado_Por_Otro(viga), k.cambiado);
    }
    // Written here again: the file is this program's version once more.
    fichero::Grabar_Flexion(viga, 1);
    EXPECT_FALSE(fichero::Cambiado_Por_Otro(viga));
}

}  // namespace
