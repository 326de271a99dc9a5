#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "engine/Decimales.h"
#include "tests/app/fichero/fichero_test_support.h"

namespace {

using namespace fichero_test;
using fichero::Textos_Confina;
using fichero::Textos_Flexion;

// The texts a new T case shows (the rectangular collector ignores bw, hf).
Textos_Flexion flexureTexts() {
    return {"0,40", "0,60", "0,20", "0,20", "0,050", "10,00", "0,00",
            "25", "500", "0,125", "0,00", "0,00"};
}
Textos_Confina confinementTexts() { return {"0,500", "0,400", "25", "0,00", "1,00", 0}; }

// Case values the collectors must leave alone, set to odd values.
struct Untouched {
    double gh, ga, gr, pre;
    int16_t tipo;
    static Untouched odd() {
        auto& c = General::Caso;
        c.Gamma_Hormigon = 1.7;
        c.Gamma_Acero = 1.3;
        c.Gamma_Refuerzo = 1.9;
        c.Predeformacion = 0.0007;
        c.Tipo_Seccion = 3;
        return {1.7, 1.3, 1.9, 0.0007, 3};
    }
    void check() const {
        const auto& c = General::Caso;
        EXPECT_EQ(c.Gamma_Hormigon, gh);
        EXPECT_EQ(c.Gamma_Acero, ga);
        EXPECT_EQ(c.Gamma_Refuerzo, gr);
        EXPECT_EQ(c.Predeformacion, pre);
        EXPECT_EQ(c.Tipo_Seccion, tipo);
    }
};

std::vector<double> flexureInputs() {
    const auto& c = General::Caso;
    return {c.Ancho, c.Canto, c.Ancho_Alma, c.Canto_Ala, c.Recubrimiento, c.Armadura_Inf,
            c.Armadura_Sup, c.Fck, c.Fyk, c.Ancho_Refuerzo, c.Momento_Actual, c.Momento_Solicitante};
}
std::vector<double> confinementInputs() {
    const auto& c = General::Caso;
    return {c.Diametro_Lado, c.Lado_Menor, c.Fck, c.Axil_Actual, c.Incremento_Necesario};
}

// Sets every collected case value to 9.99, so that what is stored shows.
void markCase() {
    auto& c = General::Caso;
    c.Ancho = c.Canto = c.Ancho_Alma = c.Canto_Ala = c.Recubrimiento = c.Armadura_Inf = 9.99;
    c.Armadura_Sup = c.Fck = c.Fyk = c.Ancho_Refuerzo = c.Momento_Actual = 9.99;
    c.Momento_Solicitante = c.Diametro_Lado = c.Lado_Menor = c.Axil_Actual = 9.99;
    c.Incremento_Necesario = 9.99;
}

class CollectTest : public DataFileTest {};

TEST_F(CollectTest, FlexureAcceptsOrStoresNothing) {
    using Edit = std::function<void(Textos_Flexion&)>;
    struct Case {
        const char* what;
        bool t;  // T window, else rectangular
        Edit edit;
        bool accepted;
    };
    const Case cases[] = {
        {"rect as shown", false, [](Textos_Flexion&) {}, true},
        {"T as shown", true, [](Textos_Flexion&) {}, true},
        {"empty depth", false, [](Textos_Flexion& x) { x.TX_CANTO = ""; }, false},
        {"blank design moment", true, [](Textos_Flexion& x) { x.TX_MD = "  "; }, false},
        {"letters in the last field", false, [](Textos_Flexion& x) { x.TX_MD = "abc"; }, false},
        {"grouping sign", false, [](Textos_Flexion& x) { x.CO_FYK = "1.250,5"; }, false},
        {"overflow", true, [](Textos_Flexion& x) { x.TX_MCP = "1e999"; }, false},
        {"blanks around", false, [](Textos_Flexion& x) { x.TX_ANCHO = " \t0,4 "; }, true},
        {"small lower steel", false, [](Textos_Flexion& x) { x.TX_ASI = "0,005"; }, true},
        {"zero lower steel", true, [](Textos_Flexion& x) { x.TX_ASI = "0"; }, false},
        {"zero upper steel and moments", false,
         [](Textos_Flexion& x) { x.TX_ASS = x.TX_MCP = x.TX_MD = "0"; }, true},
        {"zero width", false, [](Textos_Flexion& x) { x.TX_ANCHO = "0"; }, false},
        {"zero cover", true, [](Textos_Flexion& x) { x.TX_RECUB = "0,0"; }, false},
        {"zero web width", true,
         [](Textos_Flexion& x) { x.TX_ANCHOALMA = "0"; x.CO_ANCHOR = "0"; }, false},
        {"zero flange depth", true, [](Textos_Flexion& x) { x.TX_CANTOALA = "0"; }, false},
        {"rect bf = width", false, [](Textos_Flexion& x) { x.CO_ANCHOR = "0,4"; }, true},
        {"rect bf above width", false, [](Textos_Flexion& x) { x.CO_ANCHOR = "0,401"; }, false},
        {"T bf = web width", true, [](Textos_Flexion& x) { x.CO_ANCHOR = "0.2"; }, true},
        {"T bf above web width", true, [](Textos_Flexion& x) { x.CO_ANCHOR = "0,201"; }, false},
        {"T bf 0.3 below flange width 0.4", true, [](Textos_Flexion& x) { x.CO_ANCHOR = "0,3"; }, false},
        {"rect ignores web width", false, [](Textos_Flexion& x) { x.TX_ANCHOALMA = "x"; }, true},
        {"flange depth = depth", true, [](Textos_Flexion& x) { x.TX_CANTOALA = "0,6"; }, true},
        {"flange depth above depth", true, [](Textos_Flexion& x) { x.TX_CANTOALA = "0,61"; }, false},
        {"cover half the depth", false, [](Textos_Flexion& x) { x.TX_RECUB = "0,3"; }, true},
        {"cover above half", true, [](Textos_Flexion& x) { x.TX_RECUB = "0,301"; }, false},
        {"fck 15 and fyk 600", false, [](Textos_Flexion& x) { x.CO_FCK = "15"; x.CO_FYK = "600"; }, true},
        {"fck 50 and fyk 300", true, [](Textos_Flexion& x) { x.CO_FCK = "50"; x.CO_FYK = "300"; }, true},
        {"fck below 15", false, [](Textos_Flexion& x) { x.CO_FCK = "14,99"; }, false},
        {"fck above 50", true, [](Textos_Flexion& x) { x.CO_FCK = "50,01"; }, false},
        {"fyk below 300", true, [](Textos_Flexion& x) { x.CO_FYK = "299"; }, false},
        {"fyk above 600", false, [](Textos_Flexion& x) { x.CO_FYK = "601"; }, false},
        {"negative fck taken absolute", false, [](Textos_Flexion& x) { x.CO_FCK = "-30"; }, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Textos_Flexion x = flexureTexts();
        k.edit(x);
        markCase();
        const Untouched untouched = Untouched::odd();
        const std::vector<double> before = flexureInputs();
        General::Caso.Error_Datos = false;
        if (k.t)
            fichero::Recoger_Datos_T(x);
        else
            fichero::Recoger_Datos_Rect(x);
        EXPECT_EQ(General::Caso.Error_Datos, !k.accepted);
        untouched.check();
        if (!k.accepted) {
            EXPECT_EQ(flexureInputs(), before);
            continue;
        }
        const std::string* texts[] = {&x.TX_ANCHO, &x.TX_CANTO, &x.TX_ANCHOALMA, &x.TX_CANTOALA,
                                      &x.TX_RECUB, &x.TX_ASI,   &x.TX_ASS,       &x.CO_FCK,
                                      &x.CO_FYK,   &x.CO_ANCHOR, &x.TX_MCP,      &x.TX_MD};
        std::vector<double> expected;
        for (const std::string* t : texts)
            expected.push_back(std::fabs(Decimales::Convertir_Numero(Decimales::Recortar(*t))));
        if (!k.t) expected[2] = expected[3] = 9.99;  // web and flange are not the window's
        EXPECT_EQ(flexureInputs(), expected);
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(CollectTest, CommaOrPointAndAbsoluteValues) {
    for (const char* depth : {"0,3", "0.3"}) {
        Textos_Flexion x = flexureTexts();
        x.TX_CANTO = depth;
        x.TX_RECUB = "0,05";
        x.TX_MD = "-25";
        fichero::Recoger_Datos_Rect(x);
        EXPECT_FALSE(General::Caso.Error_Datos);
        EXPECT_EQ(General::Caso.Canto, 0.3) << depth;
        EXPECT_EQ(General::Caso.Momento_Solicitante, 25);
        EXPECT_EQ(x.TX_MD, "-25");
    }
}

TEST_F(CollectTest, ConfinementAcceptsOrStoresNothing) {
    using Edit = std::function<void(Textos_Confina&)>;
    struct Case {
        const char* what;
        Edit edit;
        bool accepted;
    };
    const Case cases[] = {
        {"circle as shown", [](Textos_Confina&) {}, true},
        {"circle, shorter side above the diameter", [](Textos_Confina& x) { x.TX_LADOMENOR = "0,9"; }, true},
        {"square, shorter side above the side",
         [](Textos_Confina& x) { x.CO_SECCION = 1; x.TX_LADOMENOR = "0,9"; }, true},
        {"rectangle, shorter side above the longer",
         [](Textos_Confina& x) { x.CO_SECCION = 2; x.TX_LADOMENOR = "0,501"; }, false},
        {"rectangle, equal sides", [](Textos_Confina& x) { x.CO_SECCION = 2; x.TX_LADOMENOR = "0,5"; }, true},
        {"circle, shorter side 0", [](Textos_Confina& x) { x.TX_LADOMENOR = "0"; }, false},
        {"square, side 0", [](Textos_Confina& x) { x.CO_SECCION = 1; x.TX_DIAM = "0"; }, false},
        {"axial force 0 or negative", [](Textos_Confina& x) { x.TX_NCP = "-1500"; }, true},
        {"fck 15", [](Textos_Confina& x) { x.CO_FCK = "15"; }, true},
        {"fck 50", [](Textos_Confina& x) { x.CO_FCK = "50"; }, true},
        {"fck 51", [](Textos_Confina& x) { x.CO_FCK = "51"; }, false},
        {"increase 1", [](Textos_Confina& x) { x.TX_INCR = "1"; }, true},
        {"increase below 1", [](Textos_Confina& x) { x.TX_INCR = "0,999"; }, false},
        {"empty axial force", [](Textos_Confina& x) { x.TX_NCP = ""; }, false},
        {"letters in the last field", [](Textos_Confina& x) { x.TX_INCR = "1,5x"; }, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Textos_Confina x = confinementTexts();
        k.edit(x);
        markCase();
        const Untouched untouched = Untouched::odd();
        const std::vector<double> before = confinementInputs();
        General::Caso.Error_Datos = false;
        fichero::Recoger_Datos_Confina(x);
        EXPECT_EQ(General::Caso.Error_Datos, !k.accepted);
        untouched.check();
        if (!k.accepted) {
            EXPECT_EQ(confinementInputs(), before);
            continue;
        }
        std::vector<double> expected;
        for (const std::string* t : {&x.TX_DIAM, &x.TX_LADOMENOR, &x.CO_FCK, &x.TX_NCP, &x.TX_INCR})
            expected.push_back(std::fabs(Decimales::Convertir_Numero(Decimales::Recortar(*t))));
        EXPECT_EQ(confinementInputs(), expected);
    }
    EXPECT_TRUE(shown().empty());
}

// The caller resets Error_Datos; a collector never does.
TEST_F(CollectTest, SecondCallAfterAFailureStoresAndKeepsTheFlag) {
    Textos_Flexion x = flexureTexts();
    x.TX_ANCHO = "";
    General::Caso.Error_Datos = false;
    fichero::Recoger_Datos_Rect(x);
    ASSERT_TRUE(General::Caso.Error_Datos);
    x.TX_ANCHO = "0,55";
    fichero::Recoger_Datos_Rect(x);
    EXPECT_TRUE(General::Caso.Error_Datos);
    EXPECT_EQ(General::Caso.Ancho, 0.55);
}

// Whatever a collector accepts is saved and reads back without refusal and
// with the same values.
TEST_F(CollectTest, AcceptedInputsAlwaysReadBack) {
    MemoryFileSystem memory;
    fichero::ScopedFileSystem scope(memory);
    const char* pool[] = {"0",    "0,2",   "0.3",     "0,30000000000000004", "0,4",  "0,6",
                          "15",   "25",    "50",      "300",  "500",   "600",  "1",
                          "1e-3", "-0,125", "1,0000001", "2,5E2", "0,001", "1e-300", "1e300",
                          "-14,999", "0,0500", ".125",  "7,"};
    std::mt19937 random(12345);
    auto pick = [&] { return std::string(pool[random() % std::size(pool)]); };
    // Strengths near their bounds, so that many cases pass.
    const char* fcks[] = {"15", "25", "50", "14,999", "-30", "50,0001"};
    const char* fyks[] = {"300", "500", "600", "299,99", "-400"};
    auto fck = [&] { return std::string(fcks[random() % std::size(fcks)]); };
    auto fyk = [&] { return std::string(fyks[random() % std::size(fyks)]); };
    int accepted[3] = {0, 0, 0};
    for (int round = 0; round < 20000; ++round) {
        const int window = round % 3;
        General::Caso.Error_Datos = false;
        if (window < 2) {
            Textos_Flexion x{pick(), pick(), pick(), pick(), pick(), pick(),
                             pick(), fck(),  fyk(),  pick(), pick(), pick()};
            if (window == 0)
                fichero::Recoger_Datos_Rect(x);
            else
                fichero::Recoger_Datos_T(x);
            if (General::Caso.Error_Datos) continue;
            fichero::Grabar_Flexion("caso.krf", static_cast<int16_t>(window + 1));
            ASSERT_FALSE(General::Caso.Error_Datos);
            const std::vector<double> saved = flexureInputs();
            Caracteristicas::Poner_Defectos_Flexion();
            if (window == 0) General::Caso.Ancho_Alma = saved[2], General::Caso.Canto_Ala = saved[3];
            int16_t kind = 0;
            fichero::Leer_Flexion("caso.krf", kind);
            ASSERT_FALSE(General::Caso.Error_Datos) << memory.files["caso.krf"];
            EXPECT_EQ(kind, window + 1);
            EXPECT_EQ(flexureInputs(), saved);
        } else {
            Textos_Confina x{pick(), pick(), fck(), pick(), pick(), static_cast<int>(random() % 3)};
            General::Caso.Tipo_Seccion = static_cast<int16_t>(x.CO_SECCION + 1);
            fichero::Recoger_Datos_Confina(x);
            if (General::Caso.Error_Datos) continue;
            fichero::Grabar_Confina("caso.krc");
            const std::vector<double> saved = confinementInputs();
            Caracteristicas::Poner_Defectos_Confina();
            fichero::Leer_Confina("caso.krc");
            ASSERT_FALSE(General::Caso.Error_Datos) << memory.files["caso.krc"];
            EXPECT_EQ(General::Caso.Tipo_Seccion, x.CO_SECCION + 1);
            EXPECT_EQ(confinementInputs(), saved);
        }
        ++accepted[window];
    }
    // The pool reaches accepted cases of every window, not only refusals.
    for (int n : accepted) EXPECT_GT(n, 20);
    EXPECT_TRUE(shown().empty());
}

}  // namespace
