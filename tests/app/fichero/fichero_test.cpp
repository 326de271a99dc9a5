#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "tests/app/fichero/fichero_test_support.h"

namespace {

using namespace fichero_test;
using platform::Icon;

const std::string kDefaultRect =
    crlf({"1", "0.4", "0.6", "0.05", "10", "0", "25", "500", "1.5", "1.15", "1.4", "0.125", "0", "0"});
const std::string kDefaultCircle = crlf({"1", "0.5", "0.4", "25", "1.5", "1.15", "1.4", "0", "1"});

// A valid T file: b 0.4, h 0.6, bw 0.2, hf 0.2, cover 0.05, As 10, As' 0,
// fck 25, fyk 500, coefficients, bf 0.125, moments.
std::vector<std::string> tLines() {
    return {"2",   "0.4", "0.6",  "0.2", "0.2",   "0.05", "10", "0",
            "25",  "500", "1.5",  "1.15", "1.4", "0.125", "0", "0"};
}
std::vector<std::string> rectLines() {
    return {"1", "0.4", "0.6", "0.05", "10", "0", "25", "500", "1.5", "1.15", "1.4", "0.125", "0", "0"};
}
std::vector<std::string> circleLines() {
    return {"1", "0.5", "0.4", "25", "1.5", "1.15", "1.4", "0", "1"};
}

// The case as a reader leaves it, for comparing with the defaults.
std::vector<double> flexureInputs() {
    const auto& c = General::Caso;
    return {c.Ancho, c.Canto, c.Ancho_Alma, c.Canto_Ala, c.Recubrimiento, c.Armadura_Inf,
            c.Armadura_Sup, c.Fck, c.Fyk, c.Gamma_Hormigon, c.Gamma_Acero, c.Gamma_Refuerzo,
            c.Ancho_Refuerzo, c.Momento_Actual, c.Momento_Solicitante, c.Predeformacion};
}
std::vector<double> confinementInputs() {
    const auto& c = General::Caso;
    return {double(c.Tipo_Seccion), c.Diametro_Lado, c.Lado_Menor, c.Fck, c.Gamma_Hormigon,
            c.Gamma_Acero, c.Gamma_Refuerzo, c.Axil_Actual, c.Incremento_Necesario};
}

std::vector<double> flexureDefaults() {
    General::Datos saved = General::Caso;
    Caracteristicas::Poner_Defectos_Flexion();
    std::vector<double> d = flexureInputs();
    General::Caso = saved;
    return d;
}
std::vector<double> confinementDefaults() {
    return {1, 0.5, 0.4, 25, 1.5, 1.15, 1.4, 0, 1};
}

// Puts case values that differ from every default, so that a reset shows.
void scrambleCase() {
    auto& c = General::Caso;
    c.Ancho = c.Canto = c.Ancho_Alma = c.Canto_Ala = c.Recubrimiento = 7.77;
    c.Armadura_Inf = c.Armadura_Sup = c.Ancho_Refuerzo = c.Momento_Actual = 7.77;
    c.Momento_Solicitante = c.Predeformacion = c.Fck = c.Fyk = 7.77;
    c.Gamma_Hormigon = c.Gamma_Acero = c.Gamma_Refuerzo = 7.77;
    c.Tipo_Seccion = 2;
    c.Diametro_Lado = c.Lado_Menor = c.Axil_Actual = c.Incremento_Necesario = 7.77;
}

class WriteTest : public DataFileTest {};
class ReadTest : public DataFileTest {
protected:
    // Reads text as a flexure file after scrambling the case.
    int16_t readFlexure(const std::string& text) {
        writeBytes(path("caso.krf"), text);
        scrambleCase();
        General::Caso.Error_Datos = false;
        int16_t kind = -7;
        fichero::Leer_Flexion(path("caso.krf"), kind);
        return kind;
    }
    void readConfinement(const std::string& text) {
        writeBytes(path("caso.krc"), text);
        scrambleCase();
        General::Caso.Error_Datos = false;
        fichero::Leer_Confina(path("caso.krc"));
    }
};

TEST_F(WriteTest, DefaultCasesGiveTheExactBytes) {
    fichero::Grabar_Flexion(path("flexion.krf"), 1);
    EXPECT_EQ(readBytes(path("flexion.krf")), kDefaultRect);
    fichero::Grabar_Flexion(path("t.krf"), 2);
    EXPECT_EQ(readBytes(path("t.krf")), crlf(tLines()));
    fichero::Grabar_Confina(path("confina.krc"));
    EXPECT_EQ(readBytes(path("confina.krc")), kDefaultCircle);
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_TRUE(shown().empty());
    // Only the files themselves are left in the folder.
    EXPECT_EQ(folderEntries(dir), (std::vector<std::string>{"confina.krc", "flexion.krf", "t.krf"}));
}

// Odd values come back bit for bit, whatever the locale's decimal sign.
TEST_F(WriteTest, RoundTripIsExactUnderSpanishAndCLocales) {
    const double odd[] = {0.05, 0.125, 1.15, 0.1 + 0.2, 1.0 / 3, 123456789.123456789, 1e22,
                          1e-7, 5e-324, std::numeric_limits<double>::max(), -0.4, 2.5e-310};
    for (bool spanish : {false, true}) {
        if (spanish) {
            if (!setSpanishLocale()) {
                std::printf("[  SKIPPED ] es_ES.UTF-8 not available: Spanish sub-case skipped\n");
                continue;
            }
            char buf[16];
            std::snprintf(buf, sizeof buf, "%g", 0.5);
            ASSERT_STREQ(buf, "0,5") << "the Spanish locale is not in force";
        }
        for (double v : odd) {
            SCOPED_TRACE(testing::Message() << (spanish ? "es_ES " : "C ") << v);
            Caracteristicas::Poner_Defectos_Flexion();
            auto& c = General::Caso;
            c.Armadura_Sup = c.Momento_Actual = c.Momento_Solicitante = v;
            c.Ancho = 0.4 + std::fabs(v) * 1e-300;  // an odd, still valid width
            c.Gamma_Acero = 1.15 + 1e-15;
            const General::Datos written = c;
            fichero::Grabar_Flexion(path("r.krf"), 2);
            scrambleCase();
            int16_t kind = 0;
            fichero::Leer_Flexion(path("r.krf"), kind);
            ASSERT_FALSE(c.Error_Datos);
            EXPECT_EQ(kind, 2);
            EXPECT_EQ(c.Ancho, written.Ancho);
            EXPECT_EQ(c.Gamma_Acero, written.Gamma_Acero);
            EXPECT_EQ(c.Armadura_Sup, std::fabs(v));
            EXPECT_EQ(c.Momento_Actual, std::fabs(v));

            Caracteristicas::Poner_Defectos_Confina();
            c.Tipo_Seccion = 3;
            c.Axil_Actual = v;
            c.Lado_Menor = std::nextafter(0.4, 0.0);
            fichero::Grabar_Confina(path("r.krc"));
            scrambleCase();
            fichero::Leer_Confina(path("r.krc"));
            ASSERT_FALSE(c.Error_Datos);
            EXPECT_EQ(c.Tipo_Seccion, 3);
            EXPECT_EQ(c.Axil_Actual, std::fabs(v));
            EXPECT_EQ(c.Lado_Menor, std::nextafter(0.4, 0.0));
        }
        EXPECT_EQ(readBytes(path("r.krf")).find(','), std::string::npos);
    }
    restoreCLocale();
    EXPECT_TRUE(shown().empty());
}

TEST_F(WriteTest, WriterLeavesTheCaseData) {
    General::Caso.Ancho = -0.4;
    fichero::Grabar_Flexion(path("a.krf"), 1);
    EXPECT_EQ(General::Caso.Ancho, -0.4);
    EXPECT_EQ(readBytes(path("a.krf")).substr(0, 8), "1\r\n-0.4\r");
}

// A save that fails at any point keeps the old file byte for byte and
// leaves no temporary file behind.
TEST_F(WriteTest, FailedSaveKeepsTheOldFile) {
    const std::string old = "old contents\r\nkept\r\n";
    struct Case {
        const char* what;
        int failAtWrite;
        bool failCommit;
        int error;
        std::string message;
    };
    const Case cases[] = {
        {"disk full on line 1", 1, false, ENOSPC, "Error 61: Espacio en disco insuficiente."},
        {"disk full on line 7", 7, false, ENOSPC, "Error 61: Espacio en disco insuficiente."},
        {"disk full on the last line", 14, false, ENOSPC, "Error 61: Espacio en disco insuficiente."},
        {"write error on line 3", 3, false, EIO, "Error 57: Error de entrada/salida en el dispositivo."},
        {"no memory on line 2", 2, false, ENOMEM, "Memoria insuficiente."},
        {"disk full on flush", 0, true, ENOSPC, "Error 61: Espacio en disco insuficiente."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        writeBytes(path("caso.krf"), old);
        FailingFileSystem failing;
        failing.failAtWrite = k.failAtWrite;
        failing.failCommit = k.failCommit;
        failing.error = k.error;
        fichero::ScopedFileSystem scope(failing);
        messages.fake.clear();
        General::Caso.Error_Datos = false;
        fichero::Grabar_Flexion(path("caso.krf"), 1);
        EXPECT_TRUE(General::Caso.Error_Datos);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, k.message);
        EXPECT_EQ(shown()[0].icon, Icon::Exclamation);
        EXPECT_EQ(readBytes(path("caso.krf")), old);
        EXPECT_EQ(folderEntries(dir), std::vector<std::string>{"caso.krf"});
    }
}

TEST_F(WriteTest, UnwritableTargetsAreReported) {
    fs::create_directory(dir / "carpeta.krf");
    writeBytes(dir / "carpeta.krf" / "dentro", "x");
    struct Case {
        std::string target;
        std::string message;
    };
    const Case cases[] = {
        {path("no_existe/caso.krf"), "Error 76: No se encuentra la ruta de acceso."},
        {path("carpeta.krf"), "Error 75: No se puede acceder a la ruta o al fichero."},
        {path("carpeta.krf") + "/", "Error 75: No se puede acceder a la ruta o al fichero."},
        {"", "Error 52: El nombre del fichero no es válido."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.target);
        messages.fake.clear();
        General::Caso.Error_Datos = false;
        fichero::Grabar_Confina(k.target);
        EXPECT_TRUE(General::Caso.Error_Datos);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, k.message);
        EXPECT_EQ(shown()[0].icon, Icon::Exclamation);
    }
    EXPECT_EQ(folderEntries(dir), std::vector<std::string>{"carpeta.krf"});
    EXPECT_EQ(folderEntries(dir / "carpeta.krf"), std::vector<std::string>{"dentro"});
}

// A value the file could not hold, or a kind it could not be read back
// with, is refused before the disk is touched.
TEST_F(WriteTest, UnwritableValuesAreRefusedBeforeTheDisk) {
    writeBytes(path("caso.krf"), "old");
    FailingFileSystem counting;
    fichero::ScopedFileSystem scope(counting);
    struct Case {
        const char* what;
        void (*setUp)();
        int16_t kind;
        std::string message;
    };
    const Case cases[] = {
        {"nan width", [] { General::Caso.Ancho = std::nan(""); }, 1,
         "Error 6: El valor de la línea 2 no es un número finito."},
        {"infinite moment", [] { General::Caso.Momento_Solicitante = -INFINITY; }, 2,
         "Error 6: El valor de la línea 16 no es un número finito."},
        {"kind 3", [] {}, 3, "Error 5: El tipo de sección 3 no es válido."},
        {"kind 0", [] {}, 0, "Error 5: El tipo de sección 0 no es válido."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Caracteristicas::Poner_Defectos_Flexion();
        k.setUp();
        messages.fake.clear();
        General::Caso.Error_Datos = false;
        fichero::Grabar_Flexion(path("caso.krf"), k.kind);
        EXPECT_TRUE(General::Caso.Error_Datos);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, k.message);
        EXPECT_EQ(readBytes(path("caso.krf")), "old");
    }
    General::Caso.Tipo_Seccion = 4;
    fichero::Grabar_Confina(path("caso.krf"));
    EXPECT_EQ(shown().back().text, "Error 5: El tipo de sección 4 no es válido.");
    EXPECT_EQ(counting.creates, 0);
}

// A scoped file system puts back the one in force before it, not the disk.
TEST(ScopedFileSystem, NestedScopesPutBackTheOuterOne) {
    FailingFileSystem outer, inner;
    {
        fichero::ScopedFileSystem a(outer);
        {
            fichero::ScopedFileSystem b(inner);
            EXPECT_EQ(&fichero::fileSystem(), &inner);
        }
        EXPECT_EQ(&fichero::fileSystem(), &outer);
    }
    EXPECT_EQ(&fichero::fileSystem(), &fichero::realFileSystem());
}

// A file the user may not write is not replaced, even in a folder the user
// may write (run as another user when the tests run as root).
TEST_F(WriteTest, ReadOnlyFileIsNotReplaced) {
    const fs::path abierta = dir / "abierta";
    fs::create_directory(abierta);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(chmod(abierta.c_str(), 0777), 0);
    const std::string fijo = (abierta / "fijo.krf").string();
    writeBytes(fijo, "old");
    ASSERT_EQ(chmod(fijo.c_str(), 0444), 0);
    const bool root = geteuid() == 0;
    if (root && seteuid(65534) != 0) {
        GTEST_SKIP() << "cannot act as another user";
    }
    General::Caso.Error_Datos = false;
    fichero::Grabar_Flexion(fijo, 1);
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_TRUE(General::Caso.Error_Datos);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Error 75: No se puede acceder a la ruta o al fichero.");
    EXPECT_EQ(shown()[0].icon, Icon::Exclamation);
    EXPECT_EQ(readBytes(fijo), "old");
    EXPECT_EQ(folderEntries(abierta), std::vector<std::string>{"fijo.krf"});
}

TEST_F(WriteTest, ReplacingKeepsTheFilePermissions) {
    writeBytes(path("caso.krc"), "old");
    ASSERT_EQ(chmod(path("caso.krc").c_str(), 0640), 0);
    fichero::Grabar_Confina(path("caso.krc"));
    struct stat st {};
    ASSERT_EQ(stat(path("caso.krc").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readBytes(path("caso.krc")), kDefaultCircle);
}

// Every value is a plain decimal number, as the file format says, and still
// reads back as the same double: magnitudes any field accepts included.
TEST_F(WriteTest, ValuesAreWrittenAsPlainDecimals) {
    const struct {
        double value;
        const char* line;  // the exact line, when short enough to state
    } cases[] = {
        {100000, "100000"}, {0.0001, "0.0001"}, {1e-7, "0.0000001"}, {1e22, "10000000000000000000000"},
        {123456.789, "123456.789"}, {1e308, nullptr}, {std::numeric_limits<double>::max(), nullptr},
        {5e-324, nullptr},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.value);
        Caracteristicas::Poner_Defectos_Flexion();
        auto& c = General::Caso;
        c.Momento_Solicitante = k.value;
        fichero::Grabar_Flexion(path("p.krf"), 1);
        const std::string bytes = readBytes(path("p.krf"));
        EXPECT_EQ(bytes.find_first_not_of("0123456789.\r\n"), std::string::npos);
        if (k.line) {
            EXPECT_NE(bytes.find(std::string("\r\n") + k.line + "\r\n"), std::string::npos);
        }
        scrambleCase();
        int16_t kind = 0;
        fichero::Leer_Flexion(path("p.krf"), kind);
        ASSERT_FALSE(c.Error_Datos);
        EXPECT_EQ(c.Momento_Solicitante, k.value);
    }
    EXPECT_TRUE(shown().empty());
}

// The temporary file has a short name of its own: the longest names a
// folder takes still save.
TEST_F(WriteTest, LongestFileNamesSave) {
    std::string acentos;
    for (int i = 0; i < 120; ++i) acentos += "\xC3\xB1";  // 240 bytes of "ñ"
    for (const std::string& nombre : {acentos + ".krf", std::string(251, 'a') + ".krf"}) {
        SCOPED_TRACE(nombre.size());
        fichero::Grabar_Flexion(path(nombre), 1);
        EXPECT_FALSE(General::Caso.Error_Datos);
        EXPECT_EQ(readBytes(path(nombre)), kDefaultRect);
        EXPECT_EQ(folderEntries(dir), std::vector<std::string>{nombre});
        fs::remove(path(nombre));
    }
    EXPECT_TRUE(shown().empty());
}

// A folder that takes no new file (run as another user when the tests run
// as root): a writable file there is written in place, keeping its bits;
// a read-only file or a new file there fails as before.
TEST_F(WriteTest, ReadOnlyFolderWritesAWritableFileInPlace) {
    const fs::path cerrada = dir / "cerrada";
    fs::create_directory(cerrada);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    const std::string libre = (cerrada / "libre.krf").string();
    const std::string fijo = (cerrada / "fijo.krf").string();
    writeBytes(libre, std::string(500, 'x'));  // longer than the new contents
    writeBytes(fijo, "old");
    ASSERT_EQ(chmod(libre.c_str(), 0666), 0);
    ASSERT_EQ(chmod(fijo.c_str(), 0444), 0);
    ASSERT_EQ(chmod(cerrada.c_str(), 0555), 0);
    const bool root = geteuid() == 0;
    if (root && seteuid(65534) != 0) {
        GTEST_SKIP() << "cannot act as another user";
    }
    auto& c = General::Caso;
    c.Error_Datos = false;
    fichero::Grabar_Flexion(libre, 1);
    const bool libreFallo = c.Error_Datos;
    fichero::Grabar_Flexion(fijo, 1);
    const bool fijoFallo = c.Error_Datos;
    c.Error_Datos = false;
    fichero::Grabar_Flexion((cerrada / "nuevo.krf").string(), 1);
    const bool nuevoFallo = c.Error_Datos;
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_FALSE(libreFallo);
    EXPECT_EQ(readBytes(libre), kDefaultRect);
    struct stat st {};
    ASSERT_EQ(stat(libre.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u);
    EXPECT_TRUE(fijoFallo);
    EXPECT_EQ(readBytes(fijo), "old");
    EXPECT_TRUE(nuevoFallo);
    ASSERT_EQ(shown().size(), 2u);
    for (const auto& m : shown()) {
        EXPECT_EQ(m.text, "Error 75: No se puede acceder a la ruta o al fichero.");
    }
    EXPECT_EQ(folderEntries(cerrada), (std::vector<std::string>{"fijo.krf", "libre.krf"}));
    ASSERT_EQ(chmod(cerrada.c_str(), 0755), 0);
}

// Each test of the flexure reader at its bound (accepted) and just beyond
// (refused: defaults back, no message).
TEST_F(ReadTest, FlexureTestsAtAndBeyondTheirBounds) {
    struct Case {
        const char* what;
        bool t;                    // T file, else rectangular
        std::vector<std::pair<int, std::string>> lines;  // 1-based line, text
        bool accepted;
    };
    const Case cases[] = {
        {"rect as written", false, {}, true},
        {"T as written", true, {}, true},
        {"fck 15", false, {{7, "15"}}, true},
        {"fck 50", true, {{9, "50"}}, true},
        {"fck below 15", false, {{7, "14.999"}}, false},
        {"fck above 50", true, {{9, "50.001"}}, false},
        {"fck -25 read as 25", false, {{7, "-25"}}, true},
        {"fyk 300", false, {{8, "300"}}, true},
        {"fyk 600", true, {{10, "600"}}, true},
        {"fyk below 300", true, {{10, "299.99"}}, false},
        {"fyk above 600", false, {{8, "600.01"}}, false},
        {"cover half the depth", false, {{4, "0.3"}}, true},
        {"cover beyond half the depth", true, {{6, "0.30001"}}, false},
        {"rect sheet width = width", false, {{12, "0.4"}}, true},
        {"rect sheet width > width", false, {{12, "0.401"}}, false},
        {"T sheet width = web width", true, {{14, "0.2"}}, true},
        {"T sheet width only below the flange width", true, {{14, "0.3"}}, false},
        {"flange depth = depth", true, {{5, "0.6"}}, true},
        {"flange depth > depth", true, {{5, "0.61"}}, false},
        {"zero width", false, {{2, "0"}}, false},
        {"zero depth", true, {{3, "0"}}, false},
        {"zero web width", true, {{4, "0"}, {14, "0"}}, false},
        {"zero flange depth", true, {{5, "0"}}, false},
        {"zero cover", false, {{4, "0"}}, false},
        {"zero lower steel", true, {{7, "-0"}}, false},
        {"zero sheet width", false, {{12, "0"}}, false},
        {"small lower steel", false, {{5, "0.005"}}, true},
        {"upper steel and moments free", false, {{6, "-99"}, {13, "1e6"}, {14, "-1e6"}}, true},
        {"coefficients of 1", true, {{11, "1"}, {12, "1"}, {13, "-1"}}, true},
        {"concrete coefficient 0", false, {{9, "0"}}, false},
        {"steel coefficient below 1", true, {{12, "0.999"}}, false},
        {"sheet coefficient below 1", false, {{11, "-0.5"}}, false},
        {"kind 0", false, {{1, "0"}}, false},
        {"kind -1", false, {{1, "-1"}}, false},
        {"kind 1.5", false, {{1, "1.5"}}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        std::vector<std::string> lines = k.t ? tLines() : rectLines();
        for (const auto& [n, text] : k.lines) lines[n - 1] = text;
        int16_t kind = readFlexure(crlf(lines));
        EXPECT_EQ(General::Caso.Error_Datos, !k.accepted);
        if (k.accepted) {
            EXPECT_EQ(kind, k.t ? 2 : 1);
            for (const auto& [n, text] : k.lines) {
                if (n == 1) continue;
                // Stored as the absolute value of the line.
                const int field[] = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
                const int rect[] = {0, 0, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
                int f = k.t ? field[n - 1] : rect[n - 1];
                EXPECT_EQ(flexureInputs()[f], std::fabs(std::stod(text))) << "line " << n;
            }
        } else {
            EXPECT_EQ(flexureInputs(), flexureDefaults());
        }
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(ReadTest, ConfinementTestsAtAndBeyondTheirBounds) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> lines;
        bool accepted;
    };
    const Case cases[] = {
        {"circle as written", {}, true},
        {"square", {{1, "2"}}, true},
        {"rectangle", {{1, "3"}}, true},
        {"kind 0", {{1, "0"}}, false},
        {"kind 4", {{1, "4"}}, false},
        {"circle with 0 on line 3", {{3, "0"}}, false},
        {"zero diameter", {{2, "0"}}, false},
        {"circle, shorter side above the diameter", {{3, "0.9"}}, true},
        {"rectangle, shorter side = longer", {{1, "3"}, {3, "0.5"}}, true},
        {"rectangle, shorter side > longer", {{1, "3"}, {3, "0.5000001"}}, false},
        {"fck 15", {{4, "15"}}, true},
        {"fck 50", {{4, "50"}}, true},
        {"fck beyond 50", {{4, "50.0001"}}, false},
        {"fck below 15", {{4, "14.9"}}, false},
        {"increase exactly 1", {{9, "1"}}, true},
        {"increase below 1", {{9, "0.9999"}}, false},
        {"increase -1.2 read as 1.2", {{9, "-1.2"}}, true},
        {"axial force free", {{8, "-350"}}, true},
        {"coefficient 0", {{6, "0"}}, false},
        {"coefficient below 1", {{7, "0.5"}}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        std::vector<std::string> lines = circleLines();
        for (const auto& [n, text] : k.lines) lines[n - 1] = text;
        readConfinement(crlf(lines));
        EXPECT_EQ(General::Caso.Error_Datos, !k.accepted);
        std::vector<double> expected = confinementDefaults();
        if (k.accepted)
            for (std::size_t i = 0; i < lines.size(); ++i) expected[i] = std::fabs(std::stod(lines[i]));
        EXPECT_EQ(confinementInputs(), expected);
    }
    EXPECT_TRUE(shown().empty());
    // A refused confinement file leaves Fyk, which it does not hold.
    EXPECT_EQ(General::Caso.Fyk, 7.77);
}

TEST_F(ReadTest, KindThreeReadsThirteenValuesAndIsRefused) {
    std::vector<std::string> lines = rectLines();
    lines[0] = "3";
    readFlexure(crlf(lines));
    EXPECT_TRUE(General::Caso.Error_Datos);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(flexureInputs(), flexureDefaults());
    // Thirteen values only: a T file would have failed at the end of file.
    lines = tLines();
    lines.resize(14);
    lines[0] = "3";
    readFlexure(crlf(lines));
    EXPECT_TRUE(shown().empty());
}

TEST_F(ReadTest, RectangularFileLeavesWebAndFlangeAndInitialStrain) {
    writeBytes(path("r.krf"), kDefaultRect);
    General::Caso.Ancho_Alma = 0.33;
    General::Caso.Canto_Ala = 0.11;
    General::Caso.Predeformacion = 0.0004;
    int16_t kind = 0;
    fichero::Leer_Flexion(path("r.krf"), kind);
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_EQ(General::Caso.Ancho_Alma, 0.33);
    EXPECT_EQ(General::Caso.Canto_Ala, 0.11);
    EXPECT_EQ(General::Caso.Predeformacion, 0.0004);
}

// Lines that are not one finite number, and files that end early, fail on
// reading: the exclamation message, then the defaults.
TEST_F(ReadTest, UnreadableLinesAndCutFiles) {
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    auto withLine = [](int n, const std::string& text) {
        std::vector<std::string> lines = tLines();
        lines[n - 1] = text;
        return crlf(lines);
    };
    std::vector<std::string> cut = tLines();
    cut.resize(14);  // kind and 13 values
    const std::string bad = " no contiene un número válido.";
    const Case cases[] = {
        {"empty file", "", "Error 62: El fichero termina antes de la línea 1."},
        {"T file cut after 13 values", crlf(cut), "Error 62: El fichero termina antes de la línea 15."},
        {"a circle read as flexure", kDefaultCircle, "Error 62: El fichero termina antes de la línea 10."},
        {"text", withLine(3, "ancho"), "Error 13: La línea 3" + bad},
        {"two values", withLine(2, "0.4 0.5"), "Error 13: La línea 2" + bad},
        {"two values with a comma", withLine(2, "0.4,0.5"), "Error 13: La línea 2" + bad},
        {"decimal comma", withLine(2, "0,4"), "Error 13: La línea 2" + bad},
        {"nan", withLine(4, "nan"), "Error 13: La línea 4" + bad},
        {"inf", withLine(4, "-inf"), "Error 13: La línea 4" + bad},
        {"overflow", withLine(16, "1e309"), "Error 13: La línea 16" + bad},
        {"NUL byte", withLine(2, std::string("0.4\0", 4)), "Error 13: La línea 2" + bad},
        {"empty line", withLine(5, ""), "Error 13: La línea 5" + bad},
        {"hexadecimal", withLine(5, "0x1p-2"), "Error 13: La línea 5" + bad},
        {"kind not a number", withLine(1, "T"), "Error 13: La línea 1" + bad},
        {"line too long", withLine(2, std::string(1000, '0') + "1"), "Error 13: La línea 2" + bad},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        messages.fake.clear();
        readFlexure(k.text);
        EXPECT_TRUE(General::Caso.Error_Datos);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, k.message);
        EXPECT_EQ(shown()[0].icon, Icon::Exclamation);
        EXPECT_EQ(flexureInputs(), flexureDefaults());
    }
    // The kind is handed out as soon as line 1 is read.
    EXPECT_EQ(readFlexure(crlf(cut)), 2);
    EXPECT_EQ(readFlexure(""), -7);
    messages.fake.clear();
    readConfinement("1\r\n0.5\r\n0.4");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Error 62: El fichero termina antes de la línea 4.");
    EXPECT_EQ(confinementInputs(), confinementDefaults());
}

TEST_F(ReadTest, AcceptedSpellingsOfALine) {
    std::vector<std::string> lines = tLines();
    lines[1] = " \t+0.4 \t";
    lines[2] = ".6";
    lines[5] = "5E-2";
    lines[6] = "1e+1";
    lines[7] = "-0";
    lines[15] = std::string(999, ' ') + "0";
    std::string lf;
    for (const std::string& l : lines) lf += l + "\n";
    lf.pop_back();  // no line end after the last value
    int16_t kind = readFlexure(lf + "");
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(General::Caso.Ancho, 0.4);
    EXPECT_EQ(General::Caso.Canto, 0.6);
    EXPECT_EQ(General::Caso.Recubrimiento, 0.05);
    EXPECT_EQ(General::Caso.Armadura_Inf, 10);

    // Whatever follows the last value is not read.
    readFlexure(crlf(tLines()) + std::string("basura\r\n1,5\0\xff", 13));
    EXPECT_FALSE(General::Caso.Error_Datos);
    readConfinement(crlf(circleLines()) + "9\r\nx");
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_TRUE(shown().empty());
}

TEST_F(ReadTest, ByteOrderMarkBeforeLineOneIsAccepted) {
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(readFlexure(bom + crlf(tLines())), 2);
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_EQ(General::Caso.Ancho_Alma, 0.2);
    readConfinement(bom + crlf(circleLines()));
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_EQ(confinementInputs(), confinementDefaults());
    // Only at the very start.
    std::vector<std::string> lines = tLines();
    lines[1] = bom + lines[1];
    readFlexure(crlf(lines));
    EXPECT_TRUE(General::Caso.Error_Datos);
}

TEST_F(ReadTest, FilesThatAreNotSmallRegularFilesAreRefusedUnread) {
    fs::create_directory(dir / "carpeta.krf");
    std::string big = crlf(tLines());
    const std::string atLimit = big + std::string(fichero::kMaxFileSize - big.size(), '\n');
    writeBytes(path("limite.krf"), atLimit);
    writeBytes(path("grande.krf"), atLimit + "\n");
    ASSERT_EQ(mkfifo(path("tubo.krf").c_str(), 0600), 0);
    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {path("carpeta.krf"), "Error 75: No se puede acceder a la ruta o al fichero."},
        {path("tubo.krf"), "Error 75: No se puede acceder a la ruta o al fichero."},
        {path("grande.krf"), "Error 59: El fichero es demasiado grande para ser un fichero de datos."},
        {path("falta.krf"), "Error 53: No se encuentra el fichero."},
        {path("falta/caso.krf"), "Error 53: No se encuentra el fichero."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        messages.fake.clear();
        scrambleCase();
        General::Caso.Error_Datos = false;
        int16_t kind = 0;
        fichero::Leer_Flexion(k.file, kind);
        EXPECT_TRUE(General::Caso.Error_Datos);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, k.message);
        EXPECT_EQ(flexureInputs(), flexureDefaults());
    }
    messages.fake.clear();
    General::Caso.Error_Datos = false;
    int16_t kind = 0;
    fichero::Leer_Flexion(path("limite.krf"), kind);
    EXPECT_FALSE(General::Caso.Error_Datos);
    EXPECT_TRUE(shown().empty());
}

// The readers only ever set Error_Datos; a good read leaves it as it was.
TEST_F(ReadTest, GoodReadLeavesErrorDatosAlone) {
    writeBytes(path("c.krc"), kDefaultCircle);
    General::Caso.Error_Datos = true;
    fichero::Leer_Confina(path("c.krc"));
    EXPECT_TRUE(General::Caso.Error_Datos);
    EXPECT_EQ(confinementInputs(), confinementDefaults());
}

}  // namespace
