// Validation of every input field of FM_FLEXION when it is left.
#include "flexion_test_support.h"

#include "windows/ReglasFlexion.h"

using windows::flexion::Campo;

namespace {

struct Caso {
    Campo campo;
    const char* texto;
    const char* mensaje;  // nullptr: accepted
    double guardado;      // stored value afterwards
    const char* mostrado; // text afterwards (accepted cases)
};

const char* const kAncho0 = "El ancho de la sección debe ser un número mayor que cero.";
const char* const kCanto0 = "El canto de la sección debe ser un número mayor que cero.";
const char* const kFckMax =
    "La resistencia del hormigón de la sección no puede ser mayor de 50 N/mm².";
const char* const kFckMin =
    "La resistencia del hormigón de la sección no puede ser menor de 15 N/mm².";
const char* const kFykMax =
    "La resistencia del acero de las armaduras no puede ser mayor de 600 N/mm².";
const char* const kFykMin =
    "La resistencia del acero de las armaduras no puede ser menor de 300 N/mm².";

const Caso kCasos[] = {
    {Campo::Ancho, "", "Debe darse el ancho de la sección.", 0.4, nullptr},
    {Campo::Ancho, "abc", "El ancho de la sección debe ser un número.", 0.4, nullptr},
    {Campo::Ancho, "0,009", kAncho0, 0.4, nullptr},
    {Campo::Ancho, "0,125", nullptr, 0.125, "0,125"},  // equal to the sheet width
    {Campo::Ancho, "-0,3", nullptr, 0.3, "0,300"},
    {Campo::Ancho, " 1.5 ", nullptr, 1.5, "1,500"},
    {Campo::Canto, "", "Debe darse el canto de la sección.", 0.6, nullptr},
    {Campo::Canto, "1,2,3", "El canto de la sección debe ser un número.", 0.6, nullptr},
    {Campo::Canto, "0,005", kCanto0, 0.6, nullptr},
    {Campo::Canto, "0,01", nullptr, 0.01, "0,010"},
    {Campo::Recubrimiento, "", "Debe darse el recubrimiento de la sección.", 0.05, nullptr},
    {Campo::Recubrimiento, "x", "El recubrimiento de la sección debe ser un número.", 0.05,
     nullptr},
    {Campo::Recubrimiento, "0,009", "El recubrimiento de la sección debe ser mayor que cero.",
     0.05, nullptr},
    {Campo::Recubrimiento, "0,3", nullptr, 0.3, "0,300"},  // half the depth 0.6
    {Campo::Recubrimiento, "0,31",
     "El recubrimiento de la sección debe ser menor que la mitad del canto.", 0.05, nullptr},
    {Campo::Armadura_Inf, "", "Debe darse la armadura inferior de la sección.", 10, nullptr},
    {Campo::Armadura_Inf, "a1", "La armadura inferior de la sección debe ser un número.", 10,
     nullptr},
    {Campo::Armadura_Inf, "0,009", "La armadura inferior de la sección debe ser mayor que cero.",
     10, nullptr},
    {Campo::Armadura_Inf, "0,01", nullptr, 0.01, "0,01"},
    {Campo::Armadura_Sup, "", "Debe darse la armadura superior de la sección.", 10, nullptr},
    {Campo::Armadura_Sup, "-", "La armadura superior de la sección debe ser un número.", 10,
     nullptr},
    {Campo::Armadura_Sup, "0", nullptr, 0, "0,00"},
    {Campo::Fck, "", "Debe darse la resistencia del hormigón de la sección.", 25, nullptr},
    {Campo::Fck, "H25", "La resistencia del hormigón de la sección debe ser un número.", 25,
     nullptr},
    {Campo::Fck, "50,5", kFckMax, 25, nullptr},
    {Campo::Fck, "60", kFckMax, 25, nullptr},
    {Campo::Fck, "14,9", kFckMin, 25, nullptr},
    {Campo::Fck, "15", nullptr, 15, "15"},
    {Campo::Fck, "50", nullptr, 50, "50"},
    {Campo::Fck, "27,4", nullptr, 27.4, "27"},
    {Campo::Fyk, "", "Debe darse la resistencia del acero de las armaduras de la sección.", 500,
     nullptr},
    {Campo::Fyk, "B500",
     "La resistencia del acero de las armaduras de la sección debe ser un número.", 500, nullptr},
    {Campo::Fyk, "600,1", kFykMax, 500, nullptr},
    {Campo::Fyk, "299", kFykMin, 500, nullptr},
    {Campo::Fyk, "300", nullptr, 300, "300"},
    {Campo::Fyk, "600", nullptr, 600, "600"},
    {Campo::Ancho_Refuerzo, "", "Debe darse el ancho del refuerzo a disponer en la sección.",
     0.125, nullptr},
    {Campo::Ancho_Refuerzo, "0,1m",
     "El ancho del refuerzo a disponer en la sección debe ser un número.", 0.125, nullptr},
    {Campo::Ancho_Refuerzo, "0,009",
     "El ancho del refuerzo a disponer en la sección debe ser mayor que cero.", 0.125, nullptr},
    {Campo::Ancho_Refuerzo, "0,4", nullptr, 0.4, "0,400"},  // equal to the width
    {Campo::Ancho_Refuerzo, "0,41",
     "El ancho del refuerzo a disponer en la sección debe ser menor que el ancho de la sección.",
     0.4, nullptr},  // falls back to the stored width
    {Campo::Momento_Actual, "",
     "Debe darse el momento que actúa en la sección cuando se va a colocar el refuerzo.", 0,
     nullptr},
    {Campo::Momento_Actual, "x",
     "El momento que actúa en la sección cuando se va a colocar el refuerzo debe ser un número.",
     0, nullptr},
    {Campo::Momento_Actual, "0", nullptr, 0, "0,00"},
    {Campo::Momento_Solicitante, "", "Debe darse el momento de cálculo.", 0, nullptr},
    {Campo::Momento_Solicitante, "1e", "El momento de cálculo debe ser un número.", 0, nullptr},
    {Campo::Momento_Solicitante, "-25", nullptr, 25, "25,00"},
};

}  // namespace

TEST_F(Flexion, EveryFieldRefusesOrAcceptsByItsRules) {
    using Fin = Caso_Campo::Fin;
    for (const Caso& caso : kCasos)
        ASSERT_NO_FATAL_FAILURE(Probar_Campo(1, {caso.campo, caso.texto,
                                                 caso.mensaje ? Fin::Rechazo : Fin::Acepta,
                                                 caso.mensaje, caso.guardado, caso.mostrado}));
}

TEST_F(Flexion, LeavingAnUnchangedFieldStoresTheValueAsShown) {
    auto& f = Abrir();
    Escribir(Campo::Fck, "27,4");
    EXPECT_EQ(General::Caso.Fck, 27.4);
    EXPECT_EQ(f.CO_FCK->text(), "27");
    platform::leaveField(f.CO_FCK);
    EXPECT_EQ(General::Caso.Fck, 27.0);
}

TEST_F(Flexion, NarrowerWidthWarnsAndSendsTheFocusToTheSheetWidth) {
    auto& f = Abrir();
    Calcular();
    auto& c = General::Caso;
    f.CO_ANCHOR->setEntry(0, "9");  // shows whether the list is rewritten

    Escribir(Campo::Ancho, "0,125");  // equal to the sheet width: no warning
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_EQ(f.CO_ANCHOR->entry(0), "0,125");
    Calcular();
    f.CO_ANCHOR->setEntry(0, "9");
    mensajes.fake.clear();

    Escribir(Campo::Ancho, "0,1");
    EXPECT_EQ(c.Ancho, 0.1);
    EXPECT_EQ(f.TX_ANCHO->text(), "0,100");
    EXPECT_TRUE(c.Modificado);
    EXPECT_FALSE(c.Calculado);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(Ultimo_Mensaje(),
              "El ancho del refuerzo no puede ser mayor que el ancho de la sección.");
    EXPECT_EQ(QApplication::focusWidget(), f.CO_ANCHOR);
    EXPECT_EQ(f.CO_ANCHOR->lineEdit()->selectedText(), f.CO_ANCHOR->text());
    Esperar_Sin_Resultados(f);  // as Calculado
    EXPECT_EQ(f.CO_ANCHOR->entry(0), "9");  // nor rewrites the list

    // Leaving the sheet width as it stands refuses it: it takes the width.
    mensajes.fake.clear();
    platform::leaveField(f.CO_ANCHOR);
    EXPECT_EQ(Ultimo_Mensaje(),
              "El ancho del refuerzo a disponer en la sección debe ser menor que el ancho de la "
              "sección.");
    EXPECT_EQ(c.Ancho_Refuerzo, 0.1);
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,125");
}

TEST_F(Flexion, SheetWidthListAtLoadAndAfterAWidthIsAccepted) {
    General::Caso.Ancho_Refuerzo = 0.2;
    auto& f = Abrir();
    ASSERT_EQ(f.CO_ANCHOR->count(), 6);
    EXPECT_EQ(f.CO_ANCHOR->entry(5), "0,200");
    EXPECT_EQ(f.CO_ANCHOR->selectedIndex(), 5);
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,200");
    EXPECT_EQ(f.CO_FCK->selectedIndex(), 0);
    EXPECT_EQ(f.CO_FCK->count(), 6);
    EXPECT_EQ(f.CO_FYK->selectedIndex(), 1);

    f.CO_ANCHOR->setEntry(2, "x");
    Escribir(Campo::Ancho, "");  // refused: the list stays
    EXPECT_EQ(f.CO_ANCHOR->entry(2), "x");
    Escribir(Campo::Ancho, "0,5");
    const char* esperado[] = {"0,125", "0,165", "0,250", "0,330", "0,500", "0,200"};
    ASSERT_EQ(f.CO_ANCHOR->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(f.CO_ANCHOR->entry(i), esperado[i]) << i;
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,200");
    EXPECT_EQ(General::Caso.Ancho_Refuerzo, 0.2);
}

TEST_F(Flexion, ClickOnCalcularWhileAFieldIsRefusedDoesNotCalculate) {
    auto& f = Abrir();
    f.TX_ANCHO->setFocus();
    platform::settle();
    Escribir(Campo::Ancho, "");
    ASSERT_EQ(w->Guardia()->refusedField(), f.TX_ANCHO);
    mensajes.fake.clear();
    QTest::mouseClick(f.CM_CALCULAR, Qt::LeftButton);
    platform::settle();
    EXPECT_FALSE(General::Caso.Mu_Capas.Existe());
    EXPECT_FALSE(General::Caso.Calculado);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Debe darse el ancho de la sección.");
    EXPECT_EQ(QApplication::focusWidget(), f.TX_ANCHO);

    f.TX_ANCHO->setText("0,4");
    QTest::mouseClick(f.CM_CALCULAR, Qt::LeftButton);
    platform::settle();
    EXPECT_TRUE(General::Caso.Calculado);
}

TEST_F(Flexion, RuleTablesOfBothWindowsFollowTheFocusOrder) {
    auto nombres = [](int tipo) {
        std::vector<std::string> v;
        for (const auto& r : windows::flexion::Reglas(tipo)) v.push_back(r.control);
        return v;
    };
    EXPECT_EQ(nombres(1), (std::vector<std::string>{"TX_ANCHO", "TX_CANTO", "TX_RECUB", "TX_ASI",
                                                     "TX_ASS", "CO_FCK", "CO_FYK", "CO_ANCHOR",
                                                     "TX_MCP", "TX_MD"}));
    EXPECT_EQ(nombres(2).size(), 12u);
    // The T window: flange width without warning, depth warning against the
    // flange depth, flange depth not above the depth.
    General::Caso = General::Datos{};
    Caracteristicas::Iniciar_Datos();
    using R = windows::flexion::Veredicto::Resultado;
    const auto* ancho = windows::flexion::Buscar(2, Campo::Ancho);
    EXPECT_EQ(windows::flexion::Validar(*ancho, "0,1").resultado, R::Aceptado);
    const auto* canto = windows::flexion::Buscar(2, Campo::Canto);
    const auto v = windows::flexion::Validar(*canto, "0,1");
    EXPECT_EQ(v.resultado, R::Aviso);
    EXPECT_EQ(v.foco, Campo::Canto_Ala);
    const auto* ala = windows::flexion::Buscar(2, Campo::Canto_Ala);
    EXPECT_EQ(windows::flexion::Validar(*ala, "0,6").resultado, R::Aceptado);
    EXPECT_EQ(windows::flexion::Validar(*ala, "0,61").mensaje,
              "El canto del ala no puede ser mayor que el canto de la sección.");
}
