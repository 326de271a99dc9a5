// A screen reader tells the controls of every design window and dialog
// apart: each field, result box, combo box and grid is known by its label,
// and a button that shows only a picture by its tip.
#include "ventana_test_support.h"
#include "../common/lector.h"

#include "windows/FM_ANCLAJE.h"
#include "windows/FM_CARAC.h"
#include "windows/FM_COEF.h"
#include "windows/FM_CONFINA.h"
#include "windows/FM_FLEXION.h"
#include "windows/FM_FLEXIONT.h"

#include <QComboBox>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

using Nombres = std::vector<std::pair<const char*, const char*>>;  // object name, name read

// Every line field, read-only box, combo box and grid of the window is read
// by the name the table gives it (all of them are in the table), no two
// alike; every button without a text is read by its tip.
void Revisar_Nombres(QWidget& ventana, const Nombres& esperados) {
    std::vector<QWidget*> controles;
    for (QLineEdit* l : ventana.findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(l->parentWidget())) controles.push_back(l);
    for (QComboBox* c : ventana.findChildren<QComboBox*>()) controles.push_back(c);
    for (platform::Grid* g : ventana.findChildren<platform::Grid*>()) controles.push_back(g);
    EXPECT_EQ(controles.size(), esperados.size());
    std::set<QString> leidos;
    for (QWidget* w : controles) {
        SCOPED_TRACE(w->objectName().toStdString());
        const auto e = std::find_if(esperados.begin(), esperados.end(), [w](const auto& e) {
            return w->objectName() == QLatin1String(e.first);
        });
        ASSERT_NE(e, esperados.end());
        const QString leido = Nombre_Leido(w);
        EXPECT_EQ(leido.toStdString(), e->second);
        EXPECT_TRUE(leidos.insert(leido).second) << "read twice";
    }
    for (QPushButton* b : ventana.findChildren<QPushButton*>()) {
        if (!b->text().isEmpty()) continue;
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_FALSE(b->toolTip().isEmpty());
        EXPECT_EQ(Nombre_Leido(b), b->toolTip());
    }
}

const Nombres kDatosFlexion = {
    {"TX_RECUB", "Recubrimiento"},
    {"TX_ASI", "Armadura inferior"},
    {"TX_ASS", "Armadura superior"},
    {"CO_FCK", "fck"},
    {"CO_FYK", "fyk"},
    {"CO_ANCHOR", "Ancho del refuerzo"},
    {"TX_MCP", "Momento actual"},
    {"TX_MD", "Momento solicitante"},
    {"FG_FLEXION", "Momento último de la sección reforzada (mkN)"},
    {"TX_MUSR", "Mu,sr"},
    {"TX_EPS0", "ε0"},
    {"TX_MRB", "MRB"},
    {"TX_MLIMCR", "Mlím"},
    {"TX_PIVOTE", "Pivote"},
    {"TX_FN", "Prof. f.n."},
    {"TX_EPSC", "εc"},
    {"TX_EPSSI", "εs1"},
    {"TX_EPSSS", "εs2"},
    {"TX_EPSR", "εR"},
    {"TX_MU", "Mu,cr"},
};

Nombres Con(Nombres comunes, const Nombres& propios) {
    comunes.insert(comunes.end(), propios.begin(), propios.end());
    return comunes;
}

class Accesibles : public VentanaPrueba {};

TEST_F(Accesibles, EveryControlOfTheDesignWindowsIsReadByItsLabel) {
    const std::pair<std::function<std::unique_ptr<QWidget>()>, Nombres> ventanas[] = {
        {[this] { return std::make_unique<FM_FLEXION>(frame); },
         Con(kDatosFlexion, {{"TX_ANCHO", "Ancho"}, {"TX_CANTO", "Canto"}})},
        // One label over two fields: each is read by its part.
        {[this] { return std::make_unique<FM_FLEXIONT>(frame); },
         Con(kDatosFlexion, {{"TX_ANCHO", "Ancho"},
                             {"TX_ANCHOALMA", "Ancho alma"},
                             {"TX_CANTO", "Canto"},
                             {"TX_CANTOALA", "Canto ala"}})},
        {[this] { return std::make_unique<FM_CONFINA>(frame); },
         {{"CO_SECCION", "Tipo de sección"},
          {"TX_DIAM", "Diámetro/Lado"},
          {"TX_LADOMENOR", "Lado menor"},
          {"CO_FCK", "fck"},
          {"TX_NCP", "Axil actual"},
          {"TX_INCR", "Incr. de resistencia"},
          {"TX_NU", "Coef. Poisson"},
          {"TX_ALFAN", "Coeficiente de forma"},
          {"FG_CONFINA", "Incremento de resistencia debido al confinamiento"},
          {"TX_WC", "Wc"},
          {"TX_WR", "WR"},
          {"TX_WWD", "Wwd"},
          {"TX_EPS0", "ε0"},
          {"TX_EPSR", "εR"},
          {"TX_SIGMAR", "σR"},
          {"TX_TENSCONF", "σcon"},
          {"TX_RESU", "Incremento de resistencia"}}},
        {[this] { return std::make_unique<FM_CARAC>(frame); },
         {{"TX_ESPESOR", "Espesor"},
          {"TX_E", "Módulo de Young"},
          {"TX_EPSU", "Deformación última"},
          {"FG_EPSD", "Deformación de cálculo en función del número de capas dispuetas"}}},
        {[] { return std::make_unique<FM_ANCLAJE>(); },
         {{"FG_ANCLAJE", "Longitud neta de anclaje (Lb)"}}},
        {[] { return std::make_unique<FM_COEF>(); },
         {{"TX_GC", "Coeficiente de seguridad del hormigón"},
          {"TX_GS", "Coeficiente de seguridad del acero"},
          {"TX_GR", "Coeficiente de seguridad del VORLANT®"}}},
    };
    for (const auto& [crear, nombres] : ventanas) {
        std::unique_ptr<QWidget> v = crear();
        SCOPED_TRACE(v->objectName().toStdString());
        Revisar_Nombres(*v, nombres);
    }
}

}  // namespace
