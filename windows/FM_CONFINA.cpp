#include "windows/FM_CONFINA.h"

#include "windows/Dialogos.h"
#include "windows/Campos_Ventana.h"
#include "windows/Cierre_Ventana.h"
#include "windows/Dibujos_Ventana.h"

#include "drawing/Grafico.h"
#include "drawing/screen/PictureArea.h"
#include "engine/Calculos.h"
#include "engine/General.h"
#include "engine/Rangos.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <iterator>

using windows::confina::Campo;
using windows::confina::Regla;
using platform::pixels;
using platform::twips;

namespace {

const QColor kRojo(255, 0, 0);

const char* const kPredeformacion = "La predeformación de la estructura es superior al 2 por mil.";
const char* const kNoCalculable =
    "Los valores de la sección no se pueden calcular: revise los datos de la sección.";

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

using windows::Numero;
using windows::Poner_Control;

// Small pictures of the command buttons: 0 section, 1 diagram, 2 calculate.
QIcon Dibujo_Boton(int cual) {
    return windows::Icono_Boton([cual](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        switch (cual) {
            case 0:
                p.setBrush(Qt::red);
                p.drawEllipse(4, 4, 24, 24);
                p.setBrush(QColor(192, 192, 192));
                p.drawEllipse(7, 7, 18, 18);
                break;
            case 1:
                p.setPen(QPen(Qt::black, 2));
                p.drawLine(4, 28, 29, 28);
                p.drawLine(4, 28, 4, 3);
                p.setPen(QPen(Qt::black, 1));
                p.setBrush(QColor(255, 0, 0));
                p.drawRect(7, 18, 5, 10);
                p.setBrush(QColor(0, 0, 255));
                p.drawRect(14, 12, 5, 16);
                p.setBrush(QColor(0, 160, 0));
                p.drawRect(21, 7, 5, 21);
                break;
            default:
                windows::Dibujar_Calcular(p);
                break;
        }
    });
}

}  // namespace

FM_CONFINA::FM_CONFINA(windows::FrameHooks& hooks, QWidget* parent)
    : windows::DesignWindow(hooks, parent) {
    setObjectName(QStringLiteral("FM_CONFINA"));
    setWindowTitle(Q("Refuerzo a confinamiento"));
    setFont(windows::Fuente_Ventana());

    Crear_Datos();
    Crear_Valores();

    PIC_CONFINA = new PictureArea(General::DesignKind::Confina, this, false);
    PIC_CONFINA->setObjectName(QStringLiteral("PIC_CONFINA"));
    PIC_CONFINA->setGeometry(twips(4080), twips(360), twips(6855), twips(3855));
    LB_INFO = new platform::NoticeLabel(PIC_CONFINA);
    LB_INFO->setObjectName(QStringLiteral("LB_INFO"));
    LB_INFO->setGeometry(twips(960), twips(3560), twips(4875), twips(240));

    Crear_Botones();

    FR_TABLA = new QGroupBox(Q("Incremento de resistencia debido al confinamiento"), this);
    FR_TABLA->setObjectName(QStringLiteral("FR_TABLA"));
    FR_TABLA->setGeometry(twips(240), twips(4320), twips(6735), twips(2895));
    FG_CONFINA = new platform::Grid(FR_TABLA);
    FG_CONFINA->setObjectName(QStringLiteral("FG_CONFINA"));
    FG_CONFINA->setAccessibleName(FR_TABLA->title());
    FG_CONFINA->setGeometry(twips(480), twips(480), twips(5895), twips(1900));
    FG_CONFINA->setRowHeightAll(twips(300));
    FG_CONFINA->setRows(2);
    FG_CONFINA->setCols(2);
    FG_CONFINA->setColWidth(0, twips(1000));
    FG_CONFINA->setColWidth(1, twips(1595));
    connect(FG_CONFINA, &platform::Grid::enterCell, this, [this] { FG_CONFINA_EnterCell(); });
    connect(FG_CONFINA, &platform::Grid::gridClicked, this, [this] { FG_CONFINA_Click(); });

    Crear_Resultados();

    IM_LOGO = windows::Etiqueta_Logo(this);

    guardia_ = new platform::FieldGuard(this);
    for (const Regla& r : windows::confina::Reglas()) {
        const Campo campo = r.campo;
        guardia_->watch(Control(campo), [this, campo] { return Campo_LostFocus(campo); });
    }
    setFixedSize(windows::Tamano_Ventana(7335));
}

// ---------------------------------------------------------------------------
// Controls

void FM_CONFINA::Crear_Datos() {
    FR_DATOS = new QGroupBox(Q("Datos de la sección"), this);
    FR_DATOS->setObjectName(QStringLiteral("FR_DATOS"));
    FR_DATOS->setGeometry(twips(240), twips(240), twips(3615), twips(2655));

    const int xCampo = twips(1800);
    const int wCampo = twips(1095), hCampo = twips(285);
    const int xUnidad = xCampo + wCampo + pixels(4);
    auto etiqueta = [this](const QString& texto, int x, int y, int w) {
        auto* l = new QLabel(texto, FR_DATOS);
        l->setGeometry(x, y, w, twips(285));
        return l;
    };
    auto linea = [&](QLineEdit*& campo, const char* nombre, int y) {
        campo = new QLineEdit(FR_DATOS);
        campo->setObjectName(Q(nombre));
        campo->setGeometry(xCampo, twips(y), wCampo, hCampo);
    };

    QLabel* rotulo = etiqueta(Q("Tipo de sección"), pixels(8), twips(375), xCampo - pixels(10));
    CO_SECCION = new platform::Combo(platform::Combo::Style::List, FR_DATOS);
    CO_SECCION->setObjectName(QStringLiteral("CO_SECCION"));
    CO_SECCION->setGeometry(xCampo, twips(360), twips(1575), twips(315));
    platform::nameByLabel(rotulo, CO_SECCION);

    rotulo = etiqueta(Q("Diámetro/Lado"), pixels(8), twips(720), xCampo - pixels(10));
    linea(TX_DIAM, "TX_DIAM", 720);
    platform::nameByLabel(rotulo, TX_DIAM);
    etiqueta(Q("m"), xUnidad, twips(720), pixels(20));

    LB_LM = etiqueta(Q("Lado menor"), pixels(8), twips(1080), xCampo - pixels(10));
    LB_LM->setObjectName(QStringLiteral("LB_LM"));
    linea(TX_LADOMENOR, "TX_LADOMENOR", 1080);
    platform::nameByLabel(LB_LM, TX_LADOMENOR);
    LB_LMU = etiqueta(Q("m"), xUnidad, twips(1080), pixels(20));
    LB_LMU->setObjectName(QStringLiteral("LB_LMU"));

    rotulo = etiqueta(Q("f<sub>ck</sub>"), pixels(8), twips(1440), xCampo - pixels(10));
    CM_GAMMA1 = new QPushButton(Q("γ"), FR_DATOS);
    CM_GAMMA1->setObjectName(QStringLiteral("CM_GAMMA1"));
    CM_GAMMA1->setGeometry(xCampo, twips(1440), twips(375), twips(315));
    CM_GAMMA1->setFocusPolicy(Qt::StrongFocus);
    CO_FCK = new platform::Combo(platform::Combo::Style::Editable, FR_DATOS);
    CO_FCK->setObjectName(QStringLiteral("CO_FCK"));
    CO_FCK->setGeometry(twips(2280), twips(1440), twips(615), twips(315));
    platform::nameByLabel(rotulo, CO_FCK);
    etiqueta(Q("N/mm²"), xUnidad, twips(1440), pixels(40));

    rotulo = etiqueta(Q("Axil actual"), pixels(8), twips(1800), xCampo - pixels(10));
    linea(TX_NCP, "TX_NCP", 1800);
    platform::nameByLabel(rotulo, TX_NCP);
    etiqueta(Q("kN"), xUnidad, twips(1800), pixels(30));

    rotulo = etiqueta(Q("Incr. de resistencia"), pixels(8), twips(2160), xCampo - pixels(10));
    linea(TX_INCR, "TX_INCR", 2160);
    platform::nameByLabel(rotulo, TX_INCR);

    connect(CM_GAMMA1, &QPushButton::clicked, this, [this] { CM_GAMMA1_Click(); });
    connect(CO_SECCION, &platform::Combo::selected, this, [this] { CO_SECCION_Click(); });
    connect(CO_SECCION, &platform::Combo::keyDown, this, [this](int) { CO_SECCION_KeyDown(); });
    connect(CO_SECCION, &platform::Combo::keyUp, this, [this](int) { CO_SECCION_KeyUp(); });

    controles_ = {{Campo::Diametro_Lado, TX_DIAM},
                  {Campo::Lado_Menor, TX_LADOMENOR},
                  {Campo::Fck, CO_FCK},
                  {Campo::Axil_Actual, TX_NCP},
                  {Campo::Incremento_Necesario, TX_INCR}};

    setTabOrder(CO_SECCION, TX_DIAM);
    setTabOrder(TX_DIAM, TX_LADOMENOR);
    setTabOrder(TX_LADOMENOR, CM_GAMMA1);
    setTabOrder(CM_GAMMA1, CO_FCK);
    setTabOrder(CO_FCK, TX_NCP);
    setTabOrder(TX_NCP, TX_INCR);
}

void FM_CONFINA::Crear_Valores() {
    FR_VALORES = new QGroupBox(Q("Valores adoptados en el cálculo"), this);
    FR_VALORES->setObjectName(QStringLiteral("FR_VALORES"));
    FR_VALORES->setGeometry(twips(240), twips(3000), twips(3615), twips(1215));
    auto caja = [this](platform::ReadOnlyBox*& b, const char* nombre, const char* etiqueta,
                       int y) {
        auto* l = new QLabel(Q(etiqueta), FR_VALORES);
        l->setGeometry(pixels(8), twips(y), twips(1800) - pixels(10), twips(285));
        b = new platform::ReadOnlyBox(FR_VALORES);
        b->setObjectName(Q(nombre));
        b->setGeometry(twips(1800), twips(y), twips(1095), twips(285));
        platform::nameByLabel(l, b);
        // Out of the tab order; a click selects, so the text can be copied.
        b->setFocusPolicy(Qt::ClickFocus);
    };
    caja(TX_NU, "TX_NU", "Coef. Poisson", 360);
    caja(TX_ALFAN, "TX_ALFAN", "Coeficiente de forma", 720);
}

void FM_CONFINA::Crear_Botones() {
    struct Boton {
        QPushButton*& boton;
        const char* nombre;
        const char* ayuda;
        int y;
        void (FM_CONFINA::*accion)();
    };
    const Boton botones[] = {
        {CM_SECCION, "CM_SECCION", "Sección", 2160, &FM_CONFINA::CM_SECCION_Click},
        {CM_CONFINA, "CM_CONFINA", "Diagrama Capas-Incremento de resistencia", 2880,
         &FM_CONFINA::CM_CONFINA_Click},
        {CM_CALCULAR, "CM_CALCULAR", "Calcular confinamiento", 3600,
         &FM_CONFINA::CM_CALCULAR_Click},
    };
    int i = 0;
    for (const Boton& b : botones) {
        auto accion = b.accion;
        b.boton = windows::Boton_Orden(this, b.nombre, b.ayuda, Dibujo_Boton(i++), 11040, b.y,
                                       [this, accion] { (this->*accion)(); });
    }
    CM_CONFINA->setEnabled(false);
}

void FM_CONFINA::Crear_Resultados() {
    FR_RESULTADOS = new QGroupBox(Q("Resultados de la sección"), this);
    FR_RESULTADOS->setObjectName(QStringLiteral("FR_RESULTADOS"));
    FR_RESULTADOS->setGeometry(twips(7080), twips(4320), twips(4575), twips(2895));
    LB_TIPO = new QLabel(FR_RESULTADOS);
    LB_TIPO->setObjectName(QStringLiteral("LB_TIPO"));
    LB_TIPO->setGeometry(twips(240), twips(480), twips(4095), twips(255));

    const windows::Caja_Resultado cajas[] = {
        {TX_WC, "TX_WC", "W<sub>c</sub>", "m³/m", "Volumen de hormigón confinado"},
        {TX_WR, "TX_WR", "W<sub>R</sub>", "m³/m", "Volumen de refuerzo VORLANT® de confinamiento"},
        {TX_WWD, "TX_WWD", "W<sub>wd</sub>", "", "Cuantía volumétrica"},
        {TX_EPS0, "TX_EPS0", "ε<sub>0</sub>", "‰", "Predeformación de la sección"},
        {TX_EPSR, "TX_EPSR", "ε<sub>R</sub>", "‰", "Deformación del refuerzo VORLANT®"},
        {TX_SIGMAR, "TX_SIGMAR", "σ<sub>R</sub>", "N/mm²", "Tensión del refuerzo VORLANT®"},
        {TX_TENSCONF, "TX_TENSCONF", "σ<sub>con</sub>", "", "Tensión de confinamiento"},
        {TX_RESU, "TX_RESU", "<b>Incremento de resistencia</b>", "", "Incremento de resistencia"},
    };
    int i = 0;
    for (const windows::Caja_Resultado& c : cajas) {
        int xEtiqueta = 8, wEtiqueta = 40, xCaja = 50, wCaja = 80, y = 60 + i * 26;
        if (i >= 4 && i < 7) {  // right column
            xEtiqueta = 166;
            wEtiqueta = 34;
            xCaja = 202;
            wCaja = 62;
            y = 60 + (i - 4) * 26;
        } else if (i == 7) {  // below them, at the right
            xEtiqueta = 40;
            wEtiqueta = 158;
            xCaja = 202;
            wCaja = 62;
            y = 164;
        }
        QLabel* l = windows::Poner_Caja_Resultado(
            FR_RESULTADOS, c, pixels(y), pixels(xEtiqueta), pixels(wEtiqueta), pixels(xCaja),
            pixels(wCaja), pixels(xCaja + wCaja + 4), pixels(34));
        if (i == 7) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        c.caja->setFocusPolicy(Qt::ClickFocus);
        ++i;
    }
    QFont negrita = TX_RESU->font();
    negrita.setBold(true);
    TX_RESU->setFont(negrita);
}

QWidget* FM_CONFINA::Control(Campo campo) const {
    auto it = controles_.find(campo);
    return it == controles_.end() ? nullptr : it->second;
}

QString FM_CONFINA::Texto(Campo campo) const { return windows::Texto_Control(Control(campo)); }

void FM_CONFINA::Poner_Texto(Campo campo, const QString& texto) {
    Poner_Control(Control(campo), texto);
}

// The focus moves on a queued call, after the event that asked for it (a
// list's own popup gives the focus back to the list as it closes). A window
// not on screen yet (its load step) keeps the focus where it is.
void FM_CONFINA::Dar_Foco(QWidget* campo) {
    if (!isVisible()) return;
    QMetaObject::invokeMethod(
        this,
        [campo] {
            platform::selectWholeText(campo);
            if (campo->isEnabled()) campo->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

void FM_CONFINA::Entradas_Marco(bool activas) { windows::Entradas_Marco(hooks(), activas); }

void FM_CONFINA::Controles_Lado_Menor(bool activos) {
    LB_LM->setEnabled(activos);
    TX_LADOMENOR->setEnabled(activos);
    LB_LMU->setEnabled(activos);
}

void FM_CONFINA::Mostrar_Coef_Forma() {
    Poner_Control(TX_ALFAN, Numero(General::Caso.Coef_Forma, "0.000"));
}

// ---------------------------------------------------------------------------
// Load, activation, unload

void FM_CONFINA::Form_Load() {
    auto& c = General::Caso;
    c.Confina_Abierto = true;
    c.Guardado = c.Abriendo_Fichero;
    c.Sin_Nombre = !c.Abriendo_Fichero;

    for (const char* s : {"CIRCULAR", "CUADRADA", "RECTANGULAR"}) CO_SECCION->addEntry(Q(s));
    // Wide enough for its longest entry, within its frame.
    const int ancho = std::min(CO_SECCION->sizeHint().width(),
                               FR_DATOS->width() - CO_SECCION->x() - 4);
    if (ancho > CO_SECCION->width()) CO_SECCION->resize(ancho, CO_SECCION->height());
    // The selection runs the section-type logic, as a user's pick does.
    if (c.Tipo_Seccion >= 1 && c.Tipo_Seccion <= 3) CO_SECCION->select(c.Tipo_Seccion - 1);
    c.Coef_Forma = windows::confina::Coef_Forma(c.Tipo_Seccion, c.Diametro_Lado, c.Lado_Menor);

    Poner_Control(TX_DIAM, Numero(c.Diametro_Lado, "0.000"));
    Poner_Control(TX_LADOMENOR, Numero(c.Lado_Menor, "0.000"));
    Poner_Control(TX_NCP, Numero(c.Axil_Actual, "0.00"));
    Poner_Control(TX_INCR, Numero(c.Incremento_Necesario, "0.00"));
    Poner_Control(TX_NU, Numero(c.Coef_Poisson, "0.00"));
    Mostrar_Coef_Forma();

    Controles_Lado_Menor(c.Tipo_Seccion == 3);
    Llenar_Lista_Fck();
}

void FM_CONFINA::Llenar_Lista_Fck() {
    windows::Llenar_Lista(CO_FCK, Rangos::Lista_Fck, General::Caso.Fck, QStringLiteral("0"));
}

void FM_CONFINA::Form_Activate() { Entradas_Marco(true); }

bool FM_CONFINA::Form_Unload() {
    if (!windows::Grabar_Al_Cerrar(*this)) return false;
    auto& c = General::Caso;
    c.Confina_Abierto = false;
    c.Calculado = false;
    Entradas_Marco(false);
    windows::Olvidar_Dibujo();
    return true;
}

fichero::Textos_Confina FM_CONFINA::Textos() const {
    fichero::Textos_Confina t;
    t.TX_DIAM = TX_DIAM->text().toStdString();
    t.TX_LADOMENOR = TX_LADOMENOR->text().toStdString();
    t.CO_FCK = CO_FCK->text().toStdString();
    t.TX_NCP = TX_NCP->text().toStdString();
    t.TX_INCR = TX_INCR->text().toStdString();
    t.CO_SECCION = CO_SECCION->selectedIndex();
    return t;
}

bool FM_CONFINA::Recoger_Datos() {
    return windows::Recoger_Campos([this] { fichero::Recoger_Datos_Confina(Textos()); });
}

// ---------------------------------------------------------------------------
// Fields and section type

platform::LeaveResult FM_CONFINA::Campo_LostFocus(Campo campo) {
    const Regla& r = windows::confina::Buscar(campo);
    auto& c = General::Caso;
    const auto v = windows::confina::Validar(r, Texto(campo).toStdString(), c.Tipo_Seccion);
    if (!v.aceptado) {
        platform::showMessage(v.mensaje, platform::Icon::Critical);
        c.*(r.valor) = r.respaldo;
        // The stored value no longer matches the results on show.
        c.Calculado = false;
        CM_CONFINA->setEnabled(false);
        return platform::LeaveResult::refused();
    }
    c.*(r.valor) = v.valor;
    Poner_Texto(campo, platform::formatNumber(v.valor, r.decimales));
    c.Modificado = true;
    c.Calculado = false;
    CM_CONFINA->setEnabled(false);
    if (campo == Campo::Diametro_Lado || campo == Campo::Lado_Menor) {
        const int p = CO_SECCION->selectedIndex();
        if (p >= 0)
            c.Coef_Forma = windows::confina::Coef_Forma(static_cast<int16_t>(p + 1),
                                                        c.Diametro_Lado, c.Lado_Menor);
        Mostrar_Coef_Forma();
    }
    return platform::LeaveResult::accepted();
}

void FM_CONFINA::CO_SECCION_Click() { Logica_Seccion(true); }
void FM_CONFINA::CO_SECCION_KeyDown() { Logica_Seccion(false); }
void FM_CONFINA::CO_SECCION_KeyUp() { Logica_Seccion(false); }

void FM_CONFINA::Logica_Seccion(bool desactivar_resultado) {
    auto& c = General::Caso;
    const int p = CO_SECCION->selectedIndex();
    if (p >= 0 && p <= 2) {
        c.Tipo_Seccion = static_cast<int16_t>(p + 1);
        c.Coef_Forma =
            windows::confina::Coef_Forma(c.Tipo_Seccion, c.Diametro_Lado, c.Lado_Menor);
    }
    if (c.Tipo_Seccion == 3) {
        Controles_Lado_Menor(true);
        // The sides as their fields show them, as the fields' own tests
        // compare them.
        const double mayor = windows::confina::Mostrado(Campo::Diametro_Lado);
        const double menor = windows::confina::Mostrado(Campo::Lado_Menor);
        if (mayor < menor) {
            platform::showMessage(windows::confina::Mensaje_Lado_Menor, platform::Icon::Critical);
            Dar_Foco(TX_LADOMENOR);
        }
        if (windows::confina::Razon_Excesiva(mayor, menor)) {
            platform::showMessage(windows::confina::Mensaje_Razon, platform::Icon::Critical);
            Dar_Foco(TX_LADOMENOR);
        }
    } else {
        Controles_Lado_Menor(false);
    }
    Mostrar_Coef_Forma();
    c.Modificado = true;
    c.Calculado = false;
    if (desactivar_resultado) CM_CONFINA->setEnabled(false);
}

// ---------------------------------------------------------------------------
// Calculation

void FM_CONFINA::Rechazar_Calculo(const char* mensaje) {
    auto& c = General::Caso;
    platform::showMessage(mensaje, platform::Icon::Critical);
    FG_CONFINA->hide();
    // The result arrays are zero now: nothing may read them as current.
    c.Calculado = false;
    CM_CONFINA->setEnabled(false);
}

void FM_CONFINA::CM_CALCULAR_Click() {
    // A field holding an edit not yet left is checked first, as leaving it
    // would; a refusal stops here.
    if (!guardia_->leavePending()) return;
    auto& c = General::Caso;
    const bool rectangulo = CO_SECCION->selectedIndex() == 2;

    // Read the four shown values back, then apply each field's own tests to
    // them before anything is solved. The sides of a rectangle are tested
    // on the shorter side, so a refusal of their ratio leads there.
    const Campo leidos_en_orden[] = {Campo::Diametro_Lado, Campo::Lado_Menor, Campo::Fck,
                                     Campo::Axil_Actual};
    std::map<Campo, double> leidos;
    for (Campo campo : leidos_en_orden) {
        const Regla& r = windows::confina::Buscar(campo);
        const QString texto = Texto(campo);
        const auto v = windows::Leer_Mostrado(texto);
        if (campo == Campo::Lado_Menor && !rectangulo) {
            // Not used by the solver for a circle or a square.
            leidos[campo] = v ? *v : c.Lado_Menor;
            continue;
        }
        if (!v) {
            windows::Rechazar_Control(Control(campo), texto.isEmpty() ? r.vacio : r.no_numero);
            return;
        }
        leidos[campo] = *v;
    }
    auto lectura = [&leidos](Campo campo) {
        auto it = leidos.find(campo);
        return it != leidos.end() ? it->second : windows::confina::Mostrado(campo);
    };
    for (Campo campo : leidos_en_orden) {
        if (campo == Campo::Lado_Menor && !rectangulo) continue;
        const Regla& r = windows::confina::Buscar(campo);
        // Type 0: the diameter's own ratio test is left to the shorter side.
        const int16_t tipo = campo == Campo::Diametro_Lado ? 0 : 3;
        if (const auto* p = windows::confina::Prueba_Fallida(r, leidos[campo], tipo, lectura)) {
            windows::Rechazar_Control(Control(campo), p->mensaje);
            return;
        }
    }
    c.Diametro_Lado = leidos[Campo::Diametro_Lado];
    c.Lado_Menor = leidos[Campo::Lado_Menor];
    c.Fck = leidos[Campo::Fck];
    c.Axil_Actual = leidos[Campo::Axil_Actual];

    const Calculos::Salida_Calculo calculo = Calculos::Calcular_Caso_Confina();
    // The coefficient the solver used, from the sides as read back.
    Mostrar_Coef_Forma();
    if (!calculo) {
        Rechazar_Calculo(calculo == Calculos::Resultado_Calculo::Predeformacion_Excesiva
                             ? kPredeformacion
                             : kNoCalculable);
        return;
    }

    if (Calculos::Aviso_Confina() == Calculos::Aviso::Ninguno)
        LB_INFO->hide();
    else
        LB_INFO->showNotice(Q(" NO SE PUEDE REFORZAR LA SECCION "), kRojo);

    c.Calculado = true;
    CM_CONFINA->setEnabled(true);
    CM_SECCION->setEnabled(true);
    tabla_llena_ = true;
    Llenar_Tabla_Confina();
    Mostrar_Resultados_Confina(1, 1);

    FG_CONFINA->show();
    FG_CONFINA->setFocus();
    FG_CONFINA->setRow(1);
    FG_CONFINA->setCol(1);

    Grafico::Dibujar_Diagrama_Confina();
}

void FM_CONFINA::Llenar_Tabla_Confina() {
    const auto& c = General::Caso;
    auto k = [&](int j, int n) { return c.Incremento_Resistencia.Leer(j, n).value_or(0.0); };
    windows::Llenar_Tabla_Capas(
        FG_CONFINA, [&k](int j, int n) { return Numero(k(j, n), "0.00"); },
        [&](int j, int n) { return k(j, n) >= c.Incremento_Necesario; });
}

void FM_CONFINA::Mostrar_Resultados_Confina(int j, int n) {
    const auto& c = General::Caso;
    auto leer = [j, n](const General::Tabla2<double>& t) { return t.Leer(j, n).value_or(0.0); };
    LB_TIPO->setText(windows::Texto_Tipo(j, n));
    Poner_Control(TX_WC, Numero(c.Vol_Hormigon.Leer(j).value_or(0.0), "0.000000"));
    Poner_Control(TX_WR, Numero(leer(c.Vol_Refuerzo), "0.000000"));
    Poner_Control(TX_WWD, Numero(leer(c.Cuantia_Volumetrica), "0.000000"));
    Poner_Control(TX_EPS0, Numero(c.Predeformacion * 1000, "0.00"));
    Poner_Control(TX_EPSR, Numero(leer(c.Def_Refuerzo_Confina) * 1000, "0.00"));
    Poner_Control(TX_SIGMAR, Numero(leer(c.Tension_Refuerzo), "0.0"));
    Poner_Control(TX_TENSCONF, Numero(leer(c.Tension_Confinamiento), "0.000"));
    Poner_Control(TX_RESU, Numero(leer(c.Incremento_Resistencia), "0.00"));
}

// ---------------------------------------------------------------------------
// Grid picks

void FM_CONFINA::FG_CONFINA_Click() { FG_CONFINA_EnterCell(); }

void FM_CONFINA::FG_CONFINA_EnterCell() {
    // Before this window's first calculation the grid shows nothing to pick.
    if (!tabla_llena_) return;
    const int col = FG_CONFINA->col();
    const int fila = FG_CONFINA->row();
    if (col == 0 || fila == 0) return;
    if (!General::Caso.Incremento_Resistencia.Leer(col, fila)) return;
    Mostrar_Resultados_Confina(col, fila);
}

// ---------------------------------------------------------------------------
// Buttons

void FM_CONFINA::CM_SECCION_Click() { Grafico::Dibujar_Seccion_Confina(); }

void FM_CONFINA::CM_CONFINA_Click() { Grafico::Dibujar_Diagrama_Confina(); }

// Whatever the coefficients dialog did, the results on show may no longer
// match the coefficients.
void FM_CONFINA::CM_GAMMA1_Click() {
    windows::Mostrar_FM_COEF(this);
    CM_CONFINA->setEnabled(false);
}

Imprimir::Foto FM_CONFINA::Foto_Informe() const {
    auto t = [](const QLineEdit* e) { return e->text().toStdString(); };
    Imprimir::Foto_Confina f;
    f.CO_SECCION = CO_SECCION->selectedIndex();
    f.TX_WC = t(TX_WC);
    f.TX_WR = t(TX_WR);
    f.TX_WWD = t(TX_WWD);
    f.TX_EPS0 = t(TX_EPS0);
    f.TX_EPSR = t(TX_EPSR);
    f.TX_SIGMAR = t(TX_SIGMAR);
    f.TX_TENSCONF = t(TX_TENSCONF);
    f.TX_RESU = t(TX_RESU);
    f.LB_TIPO = LB_TIPO->text().toStdString();
    f.IM_LOGO = windows::Imagen_Etiqueta(*IM_LOGO);
    return f;
}
