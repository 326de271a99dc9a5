#include "windows/FM_CARAC.h"
#include "windows/Campos_Ventana.h"
#include "windows/Dibujos_Ventana.h"

#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/screen/PictureArea.h"
#include "engine/Calculos.h"
#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/NumberText.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>

using platform::twips;
using windows::FrameEntry;
using windows::Numero;

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

FM_CARAC::FM_CARAC(windows::FrameHooks& hooks, QWidget* parent) : DesignWindow(hooks, parent) {
    setObjectName(QStringLiteral("FM_CARAC"));
    setWindowTitle(Q("Características mecánicas del refuerzo"));
    setFont(windows::Fuente_Ventana());

    FR_VORLANT = new QGroupBox(Q("Características del refuerzo VORLANT"), this);
    FR_VORLANT->setObjectName(QStringLiteral("FR_VORLANT"));
    FR_VORLANT->setGeometry(twips(240), twips(240), twips(3855), twips(6015));

    auto opcion = [this](QRadioButton*& op, const char* nombre, const char* texto, int x) {
        op = new QRadioButton(Q(texto), FR_VORLANT);
        op->setObjectName(Q(nombre));
        op->setGeometry(twips(x), twips(360), twips(1135), twips(375));
    };
    opcion(OP_V20, "OP_V20", "TIPO 20", 240);
    opcion(OP_V30, "OP_V30", "TIPO 30", 1375);
    opcion(OP_VMM, "OP_VMM", "TIPO MM", 2510);
    OP_V20->setChecked(true);

    struct Caja {
        platform::ReadOnlyBox*& caja;
        const char* nombre;
        const char* etiqueta;
        const char* unidad;
        int y;
    };
    const Caja cajas[] = {
        {TX_ESPESOR, "TX_ESPESOR", "Espesor", "mm", 840},
        {TX_E, "TX_E", "Módulo de Young", "N/mm²", 1200},
        {TX_EPSU, "TX_EPSU", "Deformación última", "‰", 1560},
    };
    for (const Caja& c : cajas) {
        auto* l = new QLabel(Q(c.etiqueta), FR_VORLANT);
        l->setGeometry(twips(240), twips(c.y), twips(1500), twips(285));
        c.caja = new platform::ReadOnlyBox(FR_VORLANT);
        c.caja->setObjectName(Q(c.nombre));
        c.caja->setGeometry(twips(1800), twips(c.y), twips(1095), twips(285));
        c.caja->setFocusPolicy(Qt::NoFocus);
        c.caja->setAlignment(Qt::AlignRight);
        platform::nameByLabel(l, c.caja);
        auto* u = new QLabel(Q(c.unidad), FR_VORLANT);
        u->setGeometry(twips(2960), twips(c.y), twips(800), twips(285));
    }

    auto* titulo = new QLabel(
        Q("Deformación de cálculo en función del número de  capas dispuetas"), FR_VORLANT);
    titulo->setWordWrap(true);
    titulo->setGeometry(twips(240), twips(2040), twips(3375), twips(540));

    FG_EPSD = new platform::Grid(FR_VORLANT);
    FG_EPSD->setObjectName(QStringLiteral("FG_EPSD"));
    platform::nameByLabel(titulo, FG_EPSD);
    FG_EPSD->setGeometry(twips(240), twips(2640), twips(3375), twips(1900));
    QFont pequena = FG_EPSD->font();
    pequena.setPointSize(7);
    FG_EPSD->setFont(pequena);
    FG_EPSD->setRows(2);
    FG_EPSD->setCols(4);

    const struct {
        const char* simbolo;
        const char* texto;
        int y;
    } leyenda[] = {
        {"K<sub>m</sub>", "Factor reductor de la deformación máxima ", 4680},
        {"Def. cálculo", "Deformación de cálculo del refuerzo", 5040},
        {"F<sub>R</sub>", "Tensión máxima de cálculo del refuerzo", 5520},
    };
    for (const auto& l : leyenda) {
        auto* e = new QLabel(Q("<b>") + Q(l.simbolo) + Q("</b>&nbsp;&nbsp;") + Q(l.texto),
                             FR_VORLANT);
        e->setWordWrap(true);
        e->setGeometry(twips(240), twips(l.y), twips(3495), twips(420));
    }

    PIC_CARAC = new PictureArea(General::DesignKind::Carac, this);
    PIC_CARAC->setObjectName(QStringLiteral("PIC_CARAC"));
    PIC_CARAC->setGeometry(twips(4320), twips(320), twips(7335), twips(6975));

    IM_LOGO = new QLabel(this);
    IM_LOGO->setObjectName(QStringLiteral("IM_LOGO"));
    IM_LOGO->setPixmap(windows::Dibujo_Logo());
    IM_LOGO->setScaledContents(true);
    IM_LOGO->setGeometry(twips(600), twips(6375), twips(3135), twips(1000));

    // Selected by the mouse or the arrow keys; re-picking the selected
    // option raises nothing.
    connect(OP_V20, &QRadioButton::toggled, this, [this](bool on) { if (on) OP_V20_Click(); });
    connect(OP_V30, &QRadioButton::toggled, this, [this](bool on) { if (on) OP_V30_Click(); });
    connect(OP_VMM, &QRadioButton::toggled, this, [this](bool on) { if (on) OP_VMM_Click(); });

    setFixedSize(windows::Tamano_Ventana(7515));
}

int FM_CARAC::Variante() const {
    if (OP_V20->isChecked()) return 1;
    if (OP_V30->isChecked()) return 2;
    return 3;
}

void FM_CARAC::Form_Load() {
    General::Caso.Carac_Abierto = true;
    Mostrar_Caracteristicas();
    Grafico::Dibujar_Diagrama_Tension(1);
}

void FM_CARAC::Form_Activate() {
    hooks().setEntryEnabled(FrameEntry::Guardar, false);
    hooks().setEntryEnabled(FrameEntry::GuardarComo, false);
    hooks().setEntryEnabled(FrameEntry::Imprimir, true);
    hooks().setEntryEnabled(FrameEntry::BotonImprimir, true);
}

// No question, nothing to save. The results of the design cases (and their
// Calculado flag) are not this window's to touch.
bool FM_CARAC::Form_Unload() {
    General::Caso.Carac_Abierto = false;
    for (FrameEntry e : {FrameEntry::Guardar, FrameEntry::GuardarComo, FrameEntry::Imprimir,
                         FrameEntry::BotonGuardar, FrameEntry::BotonImprimir})
        hooks().setEntryEnabled(e, false);
    auto& d = General_dibujo::Dibujo;
    d.N_Linea = d.N_Tit = d.N_Barra = d.N_Punto = d.N_Sec_rect = d.N_Sec_cir = 0;
    return true;
}

void FM_CARAC::OP_V20_Click() { Elegir(1); }
void FM_CARAC::OP_V30_Click() { Elegir(2); }
void FM_CARAC::OP_VMM_Click() { Elegir(3); }

void FM_CARAC::Elegir(int j) {
    Mostrar_Caracteristicas();
    Grafico::Dibujar_Diagrama_Tension(j);
}

void FM_CARAC::Mostrar_Caracteristicas() {
    auto& c = General::Caso;
    const int j = Variante();
    const double t = c.Datos_Refuerzo.Leer(j, 1).value_or(0.0);
    const double E = c.Datos_Refuerzo.Leer(j, 2).value_or(0.0);
    const double eu = c.Datos_Refuerzo.Leer(j, 3).value_or(0.0);
    TX_ESPESOR->setText(Numero(t, "0.000"));
    TX_E->setText(Numero(E, "0"));
    TX_EPSU->setText(Numero(eu * 1000, "0.00"));
    c.Espesor_Refuerzo = t;
    c.Modulo_Refuerzo = E;
    c.Def_Ultima_Refuerzo = eu;

    const int nc = c.Num_Capas_Max;
    platform::Grid* g = FG_EPSD;
    g->setRows(nc + 1);
    g->setRowHeightAll(twips(300));
    g->setColWidth(0, twips(525));
    for (int k = 1; k <= 3; ++k) g->setColWidth(k, twips(915));
    g->setCellText(0, 0, Q("Capas"));
    g->setCellText(0, 1, Q("Km"));
    g->setCellText(0, 2, Q("Def. cálculo"));
    g->setCellText(0, 3, Q("FR (N/mm²)"));

    Calculos::Calcular_Km();
    for (int n = 1; n <= nc; ++n) {
        const double km = c.Km.Leer(n).value_or(0.0);
        const double q = c.Def_Calculo_Refuerzo.Leer(n).value_or(0.0);
        g->setCellText(n, 0, QString::number(n));
        g->setCellText(n, 1, Numero(km, "0.000"));
        g->setCellText(n, 2, Numero(q * 1000, "0.00"));
        g->setCellText(n, 3, Numero(c.Modulo_Refuerzo * q, "0.0"));
    }
    g->setRow(nc);
    g->setCol(3);
}

Imprimir::Foto FM_CARAC::Foto_Informe() const {
    Imprimir::Foto_Carac f;
    f.OP_V20 = OP_V20->isChecked();
    f.OP_V30 = OP_V30->isChecked();
    f.OP_VMM = OP_VMM->isChecked();
    f.IM_LOGO = windows::Imagen_Etiqueta(*IM_LOGO);
    return f;
}
