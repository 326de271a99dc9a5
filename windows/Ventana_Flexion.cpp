#include "windows/Ventana_Flexion.h"
#include "windows/Dialogos.h"
#include "windows/Campos_Ventana.h"
#include "windows/Cierre_Ventana.h"
#include "windows/Dibujos_Ventana.h"

#include "drawing/General_dibujo.h"
#include "drawing/screen/PictureArea.h"
#include "engine/Calculos.h"
#include "engine/General.h"
#include "engine/Rangos.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/Grid.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "windows/Panel_Resultados.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <cmath>
#include <functional>
#include <vector>

namespace windows {

using flexion::Campo;
using flexion::Regla;
using platform::pixels;
using platform::twips;

namespace {

const QColor kVerde(0, 128, 0);
const QColor kRojo(255, 0, 0);

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// Small pictures of the command buttons.
QIcon Dibujo_Boton(int cual) {
    return Icono_Boton([cual](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        switch (cual) {
            case 0:  // section
                p.drawRect(9, 4, 14, 22);
                p.fillRect(9, 26, 15, 3, Qt::red);
                p.fillRect(11, 21, 10, 2, Qt::blue);
                break;
            case 1:  // anchorage length
                p.drawLine(4, 24, 28, 24);
                p.fillRect(8, 20, 16, 3, Qt::red);
                p.drawLine(8, 10, 8, 16);
                p.drawLine(24, 10, 24, 16);
                p.drawLine(8, 13, 24, 13);
                break;
            case 2:  // moment against sheet area
                p.drawLine(5, 27, 28, 27);
                p.drawLine(5, 27, 5, 4);
                p.setPen(QPen(Qt::red, 2));
                p.drawLine(6, 24, 14, 14);
                p.drawLine(14, 14, 27, 9);
                break;
            case 3:  // strain diagram
                p.drawLine(10, 4, 10, 28);
                p.setPen(QPen(Qt::blue, 2));
                p.drawLine(4, 4, 24, 28);
                p.drawLine(4, 4, 10, 4);
                p.drawLine(10, 28, 24, 28);
                break;
            case 4:  // moment against layers
                p.drawLine(5, 27, 28, 27);
                p.drawLine(5, 27, 5, 4);
                p.setPen(QPen(Qt::red, 2));
                p.drawPolyline(QPolygon({QPoint(6, 22), QPoint(12, 22), QPoint(12, 16),
                                         QPoint(19, 16), QPoint(19, 10), QPoint(26, 10)}));
                break;
            default:  // calculate
                Dibujar_Calcular(p);
                break;
        }
    });
}

}  // namespace

Ventana_Flexion::Ventana_Flexion(DesignKind kind, FrameHooks& hooks, QWidget* parent)
    : DesignWindow(hooks, parent),
      kind_(kind == DesignKind::FlexionT ? kind : DesignKind::Flexion) {
    setWindowTitle(Tipo() == 1 ? Q("Cálculo del refuerzo a flexión en secciones rectangulares")
                               : Q("Cálculo del refuerzo a flexión en secciones T"));
    setFont(Fuente_Ventana());
    Crear_Controles();
    setFixedSize(Tamano_Ventana_Mayor());
    Registrar_Panel_Resultados(this, kind_);
}

// ---------------------------------------------------------------------------
// Controls

void Ventana_Flexion::Crear_Controles() {
    Crear_Datos();

    PIC_FLEXION = new PictureArea(kind_, this);
    PIC_FLEXION->setObjectName(QStringLiteral("PIC_FLEXION"));
    PIC_FLEXION->setGeometry(twips(3840), twips(240), twips(6975), twips(4215));
    LB_INFO = new platform::NoticeLabel(PIC_FLEXION);
    LB_INFO->setObjectName(QStringLiteral("LB_INFO"));
    LB_INFO->setGeometry(twips(960), twips(3885), twips(4875), twips(240));

    Crear_Botones();

    FR_TABLA = new QGroupBox(Q("Momento último de la sección reforzada (mkN)"), this);
    FR_TABLA->setObjectName(QStringLiteral("FR_TABLA"));
    FR_TABLA->setGeometry(twips(240), twips(4560), twips(6615), twips(3135));
    FG_FLEXION = new platform::Grid(FR_TABLA);
    FG_FLEXION->setObjectName(QStringLiteral("FG_FLEXION"));
    FG_FLEXION->setAccessibleName(FR_TABLA->title());
    FG_FLEXION->setGeometry(twips(360), twips(480), twips(5895), twips(1900));
    FG_FLEXION->setRowHeightAll(twips(300));
    FG_FLEXION->setColWidth(0, twips(1000));
    FG_FLEXION->setColWidth(1, twips(1595));
    connect(FG_FLEXION, &platform::Grid::enterCell, this, [this] { FG_FLEXION_EnterCell(); });
    connect(FG_FLEXION, &platform::Grid::gridClicked, this, [this] { FG_FLEXION_Click(); });

    Crear_Resultados();

    IM_LOGO = Etiqueta_Logo(this);

    guardia_ = new platform::FieldGuard(this);
    for (const Regla& r : flexion::Reglas(Tipo())) {
        const Campo campo = r.campo;
        guardia_->watch(Control(campo), [this, campo] { return Campo_LostFocus(campo); });
    }
}

void Ventana_Flexion::Crear_Datos() {
    FR_DATOS = new QGroupBox(Q("Datos de la sección"), this);
    FR_DATOS->setObjectName(QStringLiteral("FR_DATOS"));
    FR_DATOS->setGeometry(twips(240), twips(120), twips(3375), twips(4335));

    const bool t = Tipo() == 2;
    const int xLabel = pixels(6), wLabel = pixels(103);
    const int xCampo = pixels(110), wCampo = pixels(54);
    const int wPar = pixels(42), xSegundo = twips(2400);  // the two-field rows of the T
    const int xUnidad = xCampo + wCampo + pixels(4);
    const int alto = twips(285), paso = twips(360);
    int y = twips(480);

    auto etiqueta = [&](const QString& texto, int x, int yy, int w) {
        auto* l = new QLabel(texto, FR_DATOS);
        l->setGeometry(x, yy, w, alto);
        return l;
    };
    std::vector<QWidget*> campos_fila;  // the fields of the row being made, which its label names
    auto linea = [&](QLineEdit*& campo, const char* nombre, int x, int w) {
        campo = new QLineEdit(FR_DATOS);
        campos_fila.push_back(campo);
        campo->setObjectName(Q(nombre));
        campo->setGeometry(x, y, w, alto);
        return campo;
    };
    auto lista = [&](platform::Combo*& campo, const char* nombre) {
        campo = new platform::Combo(platform::Combo::Style::Editable, FR_DATOS);
        campos_fila.push_back(campo);
        campo->setObjectName(Q(nombre));
        campo->setGeometry(xCampo, y, wCampo, alto + pixels(2));
        return campo;
    };
    auto gamma = [&](QPushButton*& boton, const char* nombre) {
        boton = new QPushButton(Q("γ"), FR_DATOS);
        boton->setObjectName(Q(nombre));
        boton->setGeometry(twips(3375) - pixels(24), y, pixels(20), alto + pixels(2));
        boton->setFocusPolicy(Qt::StrongFocus);
    };

    // A row: label, its field or fields, the unit; then the next row.
    auto fila = [&](const char* rotulo, const std::function<void()>& campos, const char* unidad,
                    int xU, int wU) {
        QLabel* l = etiqueta(Q(rotulo), xLabel, y, wLabel);
        campos_fila.clear();
        campos();
        platform::nameByLabel(l, campos_fila);
        etiqueta(Q(unidad), xU, y, wU);
        y += paso;
    };
    // A row of one text field with its unit.
    auto fila_campo = [&](const char* rotulo, QLineEdit*& campo, const char* nombre,
                          const char* unidad) {
        fila(rotulo, [&] { linea(campo, nombre, xCampo, wCampo); }, unidad, xUnidad, pixels(40));
    };
    const int xUnidadPar = xSegundo + twips(615) + pixels(3);
    if (t) {
        fila("Ancho - Ancho alma", [&] {
            linea(TX_ANCHO, "TX_ANCHO", xCampo, wPar);
            linea(TX_ANCHOALMA, "TX_ANCHOALMA", xSegundo, twips(615));
        }, "m", xUnidadPar, pixels(14));
        fila("Canto - Canto ala", [&] {
            linea(TX_CANTO, "TX_CANTO", xCampo, wPar);
            linea(TX_CANTOALA, "TX_CANTOALA", xSegundo, twips(615));
        }, "m", xUnidadPar, pixels(14));
    } else {
        fila_campo("Ancho", TX_ANCHO, "TX_ANCHO", "m");
        fila_campo("Canto", TX_CANTO, "TX_CANTO", "m");
    }
    fila_campo("Recubrimiento", TX_RECUB, "TX_RECUB", "m");
    fila_campo("Armadura inferior", TX_ASI, "TX_ASI", "cm²");
    fila_campo("Armadura superior", TX_ASS, "TX_ASS", "cm²");
    fila("f<sub>ck</sub>", [&] {
        lista(CO_FCK, "CO_FCK");
        gamma(CM_GAMMA1, "CM_GAMMA1");
    }, "N/mm²", xUnidad, pixels(33));
    fila("f<sub>yk</sub>", [&] {
        lista(CO_FYK, "CO_FYK");
        gamma(CM_GAMMA2, "CM_GAMMA2");
    }, "N/mm²", xUnidad, pixels(33));
    fila("Ancho del refuerzo", [&] { lista(CO_ANCHOR, "CO_ANCHOR"); }, "m", xUnidad, pixels(40));
    fila_campo("Momento actual", TX_MCP, "TX_MCP", "mkN");
    fila_campo("Momento solicitante", TX_MD, "TX_MD", "mkN");

    connect(CM_GAMMA1, &QPushButton::clicked, this, [this] { CM_GAMMA1_Click(); });
    connect(CM_GAMMA2, &QPushButton::clicked, this, [this] { CM_GAMMA2_Click(); });

    controles_ = {{Campo::Ancho, TX_ANCHO},
                  {Campo::Canto, TX_CANTO},
                  {Campo::Recubrimiento, TX_RECUB},
                  {Campo::Armadura_Inf, TX_ASI},
                  {Campo::Armadura_Sup, TX_ASS},
                  {Campo::Fck, CO_FCK},
                  {Campo::Fyk, CO_FYK},
                  {Campo::Ancho_Refuerzo, CO_ANCHOR},
                  {Campo::Momento_Actual, TX_MCP},
                  {Campo::Momento_Solicitante, TX_MD}};
    if (t) {
        controles_[Campo::Ancho_Alma] = TX_ANCHOALMA;
        controles_[Campo::Canto_Ala] = TX_CANTOALA;
    }

    // Focus order: the fields in their rule order, each gamma button after
    // its strength.
    QWidget* previo = nullptr;
    for (const Regla& r : flexion::Reglas(Tipo())) {
        QWidget* w = Control(r.campo);
        if (previo) setTabOrder(previo, w);
        previo = w;
        if (r.campo == Campo::Fck) {
            setTabOrder(previo, CM_GAMMA1);
            previo = CM_GAMMA1;
        } else if (r.campo == Campo::Fyk) {
            setTabOrder(previo, CM_GAMMA2);
            previo = CM_GAMMA2;
        }
    }
}

void Ventana_Flexion::Crear_Botones() {
    struct Boton {
        QPushButton*& boton;
        const char* nombre;
        const char* ayuda;
        int y;
        void (Ventana_Flexion::*accion)();
    };
    const Boton botones[] = {
        {CM_SECCION, "CM_SECCION", "Sección", 240, &Ventana_Flexion::CM_SECCION_Click},
        {CM_ANCLAJE, "CM_ANCLAJE", "Longitud de anclaje", 960, &Ventana_Flexion::CM_ANCLAJE_Click},
        {CM_ARMADURA, "CM_ARMADURA", "Diagrama M-Ar", 1680, &Ventana_Flexion::CM_ARMADURA_Click},
        {CM_DEFORMACIONES, "CM_DEFORMACIONES", "Diagrama de deformaciones", 2400,
         &Ventana_Flexion::CM_DEFORMACIONES_Click},
        {CM_CAPAS, "CM_CAPAS", "Diagrama M-Capas", 3120, &Ventana_Flexion::CM_CAPAS_Click},
        {CM_CALCULAR, "CM_CALCULAR", "Calcula flexión", 3840, &Ventana_Flexion::CM_CALCULAR_Click},
    };
    int i = 0;
    for (const Boton& b : botones) {
        auto accion = b.accion;
        b.boton = Boton_Orden(this, b.nombre, b.ayuda, Dibujo_Boton(i++), 10920, b.y,
                              [this, accion] { (this->*accion)(); });
    }
    Botones_Resultados(false);
}

void Ventana_Flexion::Crear_Resultados() {
    FR_RESULTADOS = new QGroupBox(Q("Resultados de la sección"), this);
    FR_RESULTADOS->setObjectName(QStringLiteral("FR_RESULTADOS"));
    FR_RESULTADOS->setGeometry(twips(6960), twips(4560), twips(4575), twips(3135));
    LB_TIPO = new QLabel(FR_RESULTADOS);
    LB_TIPO->setObjectName(QStringLiteral("LB_TIPO"));
    LB_TIPO->setGeometry(twips(240), twips(480), twips(4095), twips(255));

    const Caja_Resultado cajas[] = {
        {TX_MUSR, "TX_MUSR", "M<sub>u,sr</sub>", "mkN", "Momento último de la sección sin reforzar"},
        {TX_EPS0, "TX_EPS0", "ε<sub>0</sub>", "‰", "Predeformación de la sección"},
        {TX_MRB, "TX_MRB", "M<sub>RB</sub>", "mkN",
         "Momento que hace que el diagrama de rotura pase por los pivotes R y B"},
        {TX_MLIMCR, "TX_MLIMCR", "M<sub>lím</sub>", "mkN", "Momento límite de la sección con refuerzo"},
        {TX_PIVOTE, "TX_PIVOTE", "Pivote", "", "Pivote de rotura de la sección"},
        {TX_FN, "TX_FN", "Prof. f.n.", "m", "Profundidad de la fibra neutra"},
        {TX_EPSC, "TX_EPSC", "ε<sub>c</sub>", "‰", "Deformación de la fibra superior de hormigón"},
        {TX_EPSSI, "TX_EPSSI", "ε<sub>s1</sub>", "‰", "Deformación de la armadura inferior"},
        {TX_EPSSS, "TX_EPSSS", "ε<sub>s2</sub>", "‰", "Deformación de la armadura superior"},
        {TX_EPSR, "TX_EPSR", "ε<sub>R</sub>", "‰", "Deformación del refuerzo VORLANT®"},
        {TX_MU, "TX_MU", "<b>M<sub>u,cr</sub></b>", "<b>mkN</b>",
         "Momento último de la sección con refuerzo"},
    };
    int i = 0;
    for (const Caja_Resultado& c : cajas) {
        const int columna = i < 6 ? 0 : 1;
        const int fila = i < 6 ? i : i - 6;
        const int x = pixels(8 + columna * 150);
        const int y = pixels(58 + fila * 24);
        Poner_Caja_Resultado(FR_RESULTADOS, c, y, x, pixels(50), x + pixels(52), pixels(58),
                             x + pixels(114), pixels(30));
        ++i;
    }
    QFont negrita = TX_MU->font();
    negrita.setBold(true);
    TX_MU->setFont(negrita);
}

QWidget* Ventana_Flexion::Control(Campo campo) const {
    auto it = controles_.find(campo);
    return it == controles_.end() ? nullptr : it->second;
}

QString Ventana_Flexion::Texto(Campo campo) const { return Texto_Control(Control(campo)); }

void Ventana_Flexion::Poner_Texto(Campo campo, const QString& texto) {
    Poner_Control(Control(campo), texto);
}

void Ventana_Flexion::Botones_Resultados(bool activos) {
    for (QPushButton* b : {CM_ANCLAJE, CM_ARMADURA, CM_CAPAS, CM_DEFORMACIONES})
        if (b) b->setEnabled(activos);
}

void Ventana_Flexion::Entradas_Marco(bool activas) { windows::Entradas_Marco(hooks(), activas); }

// ---------------------------------------------------------------------------
// Load, activation, unload

void Ventana_Flexion::Form_Load() {
    auto& c = General::Caso;
    Abierto() = true;
    c.Guardado = c.Abriendo_Fichero;
    c.Sin_Nombre = !c.Abriendo_Fichero;
    Mostrar_Datos();
}

void Ventana_Flexion::Mostrar_Datos() {
    const auto& c = General::Caso;
    for (const Regla& r : flexion::Reglas(Tipo())) {
        if (qobject_cast<QLineEdit*>(Control(r.campo)))
            Poner_Texto(r.campo, platform::formatNumber(c.*(r.valor), r.decimales));
    }
    Llenar_Lista(CO_FCK, Rangos::Lista_Fck, c.Fck, QStringLiteral("0"));
    Llenar_Lista(CO_FYK, Rangos::Lista_Fyk, c.Fyk, QStringLiteral("0"));
    Llenar_Lista(CO_ANCHOR, Rangos::Lista_Ancho_Refuerzo, c.Ancho_Refuerzo,
                 QStringLiteral("0.000"));
}

void Ventana_Flexion::Reescribir_Lista_Anchos() {
    int i = 0;
    for (double ancho : Rangos::Lista_Ancho_Refuerzo) CO_ANCHOR->setEntry(i++, Numero(ancho, "0.000"));
}

void Ventana_Flexion::Form_Activate() { Entradas_Marco(true); }

bool Ventana_Flexion::Form_Unload() {
    if (!Grabar_Al_Cerrar(*this)) return false;
    Abierto() = false;
    General::Caso.Calculado = false;
    Entradas_Marco(false);
    Olvidar_Dibujo();
    return true;
}

fichero::Textos_Flexion Ventana_Flexion::Textos() const {
    fichero::Textos_Flexion t;
    auto s = [this](Campo campo) { return Texto(campo).toStdString(); };
    t.TX_ANCHO = s(Campo::Ancho);
    t.TX_CANTO = s(Campo::Canto);
    t.TX_ANCHOALMA = s(Campo::Ancho_Alma);
    t.TX_CANTOALA = s(Campo::Canto_Ala);
    t.TX_RECUB = s(Campo::Recubrimiento);
    t.TX_ASI = s(Campo::Armadura_Inf);
    t.TX_ASS = s(Campo::Armadura_Sup);
    t.CO_FCK = s(Campo::Fck);
    t.CO_FYK = s(Campo::Fyk);
    t.CO_ANCHOR = s(Campo::Ancho_Refuerzo);
    t.TX_MCP = s(Campo::Momento_Actual);
    t.TX_MD = s(Campo::Momento_Solicitante);
    return t;
}

bool Ventana_Flexion::Recoger_Datos() {
    return Recoger_Campos([this] { Recoger(Textos()); });
}

// ---------------------------------------------------------------------------
// Field validation

platform::LeaveResult Ventana_Flexion::Campo_LostFocus(Campo campo) {
    const Regla* r = flexion::Buscar(Tipo(), campo);
    if (!r) return platform::LeaveResult::accepted();
    auto& c = General::Caso;
    const auto v = flexion::Validar(*r, Texto(campo).toStdString());
    using R = flexion::Veredicto::Resultado;
    switch (v.resultado) {
        case R::Rechazado:
            platform::showMessage(v.mensaje, platform::Icon::Critical);
            c.*(r->valor) = v.respaldo;
            // The stored value no longer matches the results on show: the
            // result buttons follow Calculado, as after an accepted edit.
            c.Calculado = false;
            Botones_Resultados(false);
            return platform::LeaveResult::refused();
        case R::Aviso:
            c.*(r->valor) = v.valor;
            Poner_Texto(campo, platform::formatNumber(v.valor, r->decimales));
            c.Modificado = true;
            c.Calculado = false;
            Botones_Resultados(false);  // the buttons follow Calculado
            platform::showMessage(v.mensaje, platform::Icon::Critical);
            return platform::LeaveResult::warning(Control(*v.foco));
        case R::Aceptado:
            break;
    }
    c.*(r->valor) = v.valor;
    Poner_Texto(campo, platform::formatNumber(v.valor, r->decimales));
    c.Modificado = true;
    c.Calculado = false;
    if (r->reescribe_lista) Reescribir_Lista_Anchos();
    Botones_Resultados(false);
    return platform::LeaveResult::accepted();
}

// ---------------------------------------------------------------------------
// Calculation

void Ventana_Flexion::CM_CALCULAR_Click() {
    // A field holding an edit not yet left (the focus went elsewhere without
    // a leave) is checked first, as leaving it would; a refusal stops here.
    if (!guardia_->leavePending()) return;
    auto& c = General::Caso;
    const auto& reglas = flexion::Reglas(Tipo());

    // Read the shown values back, field by field in focus order: each must
    // pass its number test and then its own tests (against the values read
    // here) before anything is solved.
    std::map<Campo, double> leidos;
    auto lectura = [&leidos](Campo campo) {
        auto it = leidos.find(campo);
        return it != leidos.end() ? it->second : flexion::Guardado(campo);
    };
    for (const Regla& r : reglas) {
        const QString texto = Texto(r.campo);
        const auto v = Leer_Mostrado(texto);
        const flexion::Prueba* p = v ? flexion::Prueba_Fallida(r, *v, lectura) : nullptr;
        if (!v || p) {
            Rechazar_Control(Control(r.campo),
                             p ? p->mensaje : texto.isEmpty() ? r.vacio : r.no_numero);
            return;
        }
        leidos[r.campo] = *v;
    }
    for (const Regla& r : reglas) c.*(r.valor) = leidos[r.campo];

    c.Rellenando_Tabla = true;
    const auto resultado = Calculos::Calcular_Caso_Flexion(static_cast<int16_t>(Tipo()));
    if (!resultado) {
        platform::showMessage(
            resultado == Calculos::Resultado_Calculo::Predeformacion_Excesiva
                ? "La predeformación de la estructura es superior al 2 por mil."
                : "Los valores de la sección no se pueden calcular: revise sus dimensiones.",
            platform::Icon::Critical);
        FG_FLEXION->hide();
        c.Rellenando_Tabla = false;
        // The result arrays are zero now: nothing may read them as current.
        c.Calculado = false;
        Botones_Resultados(false);
        return;
    }

    switch (Calculos::Aviso_Flexion()) {
        case Calculos::Aviso::Ninguno:
            LB_INFO->hide();
            break;
        case Calculos::Aviso::No_Necesario:
            LB_INFO->showNotice(Q(" NO ES NECESARIO REFORZAR LA SECCION "), kVerde);
            break;
        case Calculos::Aviso::No_Se_Puede:
            LB_INFO->showNotice(Q(" NO SE PUEDE REFORZAR LA SECCION "), kRojo);
            break;
    }

    c.Calculado = true;
    Botones_Resultados(true);
    Llenar_Tabla();
    tabla_llena_ = true;
    Mostrar_Resultados(1, 1);
    c.Rellenando_Tabla = false;

    FG_FLEXION->show();
    FG_FLEXION->setFocus();
    FG_FLEXION->setRow(1);
    FG_FLEXION->setCol(1);

    Dibujar_Capas();
}

void Ventana_Flexion::Llenar_Tabla() {
    const auto& c = General::Caso;
    auto mu = [&](int j, int n) { return c.Mu_Capas.Leer(j, n).value_or(0.0); };
    Llenar_Tabla_Capas(
        FG_FLEXION,
        [&mu](int j, int n) {
            const double v = mu(j, n);
            return v == General::Sin_Ganancia ? QStringLiteral("---") : Numero(v, "0.0");
        },
        [&](int j, int n) { return mu(j, n) >= c.Momento_Solicitante; });
}

void Ventana_Flexion::Mostrar_Resultados(int j, int n) {
    const auto& c = General::Caso;
    LB_TIPO->setText(Texto_Tipo(j, n));
    TX_MUSR->setText(Numero(c.Mu_Sin_Refuerzo, "0.0"));
    TX_EPS0->setText(Numero(c.Predeformacion * 1000, "0.00"));
    const double mu = c.Mu_Capas.Leer(j, n).value_or(0.0);
    const QString nada = QStringLiteral("---");
    if (mu == General::Sin_Ganancia) {
        for (platform::ReadOnlyBox* b :
             {TX_MRB, TX_MLIMCR, TX_PIVOTE, TX_FN, TX_EPSC, TX_EPSSI, TX_EPSSS, TX_EPSR, TX_MU})
            b->setText(nada);
        return;
    }
    auto leer = [j, n](const General::Tabla2<double>& t) { return t.Leer(j, n).value_or(0.0); };
    TX_MRB->setText(Numero(leer(c.Momento_RB), "0.0"));
    TX_MLIMCR->setText(Numero(leer(c.Momento_Limite), "0.0"));
    TX_PIVOTE->setText(Q(c.Pivote.Leer(j, n).value_or("")));
    TX_FN->setText(Numero(leer(c.Fibra_Neutra), "0.000"));
    TX_EPSC->setText(Numero(leer(c.Def_Hormigon) * 1000, "0.00"));
    TX_EPSSI->setText(Numero(leer(c.Def_Armadura_Inf) * 1000, "0.00"));
    TX_EPSSS->setText(Numero(std::fabs(leer(c.Def_Armadura_Sup) * 1000), "0.00"));
    TX_EPSR->setText(Numero(leer(c.Def_Refuerzo) * 1000, "0.00"));
    TX_MU->setText(Numero(mu, "0.0"));
}

// ---------------------------------------------------------------------------
// Grid picks

void Ventana_Flexion::FG_FLEXION_Click() { Seleccion_Celda(); }

void Ventana_Flexion::FG_FLEXION_EnterCell() {
    if (General::Caso.Rellenando_Tabla) return;
    Seleccion_Celda();
}

void Ventana_Flexion::Seleccion_Celda() {
    const auto& c = General::Caso;
    const int col = FG_FLEXION->col();
    const int fila = FG_FLEXION->row();
    if (col == 0 || fila == 0) return;
    // Before this window's first calculation the grid shows nothing to pick.
    if (!tabla_llena_) return;
    const auto mu = c.Mu_Capas.Leer(col, fila);
    if (!mu) return;
    Mostrar_Resultados(col, fila);
    if (*mu == General::Sin_Ganancia) {
        CM_DEFORMACIONES->setEnabled(false);
    } else if (c.Calculado) {
        CM_DEFORMACIONES->setEnabled(true);
        if (General_dibujo::Dibujo.Ver_Deformaciones) Dibujar_Deformaciones();
    }
}

// ---------------------------------------------------------------------------
// Buttons

void Ventana_Flexion::CM_SECCION_Click() { Dibujar_Seccion(); }

void Ventana_Flexion::CM_CAPAS_Click() { Dibujar_Capas(); }

void Ventana_Flexion::CM_ANCLAJE_Click() {
    Calculos::Calcular_Anclaje();
    Mostrar_FM_ANCLAJE(this);
}

void Ventana_Flexion::CM_ARMADURA_Click() { Dibujar_Armadura(); }

void Ventana_Flexion::CM_DEFORMACIONES_Click() { Dibujar_Deformaciones(); }

// The coefficients dialog marks the case itself; whatever it did, the
// results on show may no longer match the coefficients.
void Ventana_Flexion::CM_GAMMA1_Click() {
    Mostrar_FM_COEF(this);
    Botones_Resultados(false);
}
void Ventana_Flexion::CM_GAMMA2_Click() { CM_GAMMA1_Click(); }

Imprimir::Foto Ventana_Flexion::Foto_Informe() const {
    auto t = [](const QLineEdit* e) { return e->text().toStdString(); };
    Imprimir::Foto_Flexion f;
    f.Tipo = Tipo();
    f.TX_MU = t(TX_MU);
    f.TX_MUSR = t(TX_MUSR);
    f.TX_EPS0 = t(TX_EPS0);
    f.TX_MRB = t(TX_MRB);
    f.TX_MLIMCR = t(TX_MLIMCR);
    f.TX_PIVOTE = t(TX_PIVOTE);
    f.TX_FN = t(TX_FN);
    f.TX_EPSC = t(TX_EPSC);
    f.TX_EPSSI = t(TX_EPSSI);
    f.TX_EPSSS = t(TX_EPSSS);
    f.TX_EPSR = t(TX_EPSR);
    f.LB_TIPO = LB_TIPO->text().toStdString();
    // Shown by the program, whether or not the window is on screen.
    f.LB_INFO_Visible = !LB_INFO->isHidden();
    f.LB_INFO = LB_INFO->text().toStdString();
    f.IM_LOGO = Imagen_Etiqueta(*IM_LOGO);
    return f;
}

}  // namespace windows
