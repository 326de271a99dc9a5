#include "windows/FM_COEF.h"
#include "windows/Dibujos_Ventana.h"
#include "windows/Dialogos.h"

#include "engine/General.h"
#include "engine/Rangos.h"
#include "platform/Controls.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/NumberText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using platform::twips;

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

struct Regla {
    double General::Datos::*valor;
    double defecto;
    const char* vacio;
    const char* no_numero;
    const char* menor;
};

// TX_GC, TX_GS, TX_GR in focus order.
const Regla kReglas[3] = {
    {&General::Datos::Gamma_Hormigon, 1.5,
     "Debe darse el coeficiente de seguridad del hormigón.",
     "El coeficiente de seguridad del hormigón de ser un número.",
     "El coeficiente de seguridad del hormigón no puede ser menor que 1."},
    {&General::Datos::Gamma_Acero, 1.15, "Debe darse el coeficiente de seguridad del acero.",
     "El coeficiente de seguridad del acero de ser un número.",
     "El coeficiente de seguridad del acero no puede ser menor de 1."},
    {&General::Datos::Gamma_Refuerzo, 1.4,
     "Debe darse el coeficiente de seguridad del refuerzo VORLANT®.",
     "El coeficiente de seguridad del refuerzo VORLANT® de ser un número.",
     "El coeficiente de seguridad del refuerzo VORLANT® no puede ser menor que 1."},
};

QString Dos_Decimales(double v) { return platform::formatNumber(v, QStringLiteral("0.00")); }

}  // namespace

FM_COEF::FM_COEF(QWidget* parent) : QDialog(parent) {
    windows::Preparar_Dialogo(*this, "FM_COEF", Q("Coeficientes de seguridad de los materiales"));

    auto etiqueta = [this](const QString& texto, int x, int y, int w, int h) {
        auto* l = new QLabel(texto, this);
        l->setGeometry(twips(x), twips(y), twips(w), twips(h));
        return l;
    };
    const struct {
        QLineEdit*& campo;
        const char* nombre;
        const char* texto;
        int ancho;
        const char* sub;
        int y;
    } filas[] = {
        {TX_GC, "TX_GC", "Coeficiente de seguridad del hormigón", 3195, "c", 120},
        {TX_GS, "TX_GS", "Coeficiente de seguridad del acero", 3195, "s", 480},
        {TX_GR, "TX_GR", "Coeficiente de seguridad del VORLANT®", 3195, "R", 840},
    };
    int i = 0;
    for (const auto& fila : filas) {
        QLabel* rotulo = etiqueta(Q(fila.texto), 120, fila.y, fila.ancho, 255);
        etiqueta(Q("γ"), 3360, fila.y, 135, 255);
        etiqueta(Q(fila.sub), 3480, fila.y + 120, 135, 255);
        fila.campo = new QLineEdit(this);
        fila.campo->setObjectName(Q(fila.nombre));
        fila.campo->setGeometry(twips(3720), twips(fila.y), twips(735), twips(285));
        platform::nameByLabel(rotulo, fila.campo);
        campos_[static_cast<std::size_t>(i++)] = fila.campo;
    }
    QLabel* nota = etiqueta(Q("NOTA: "), 120, 1320, 615, 255);
    QFont negrita = nota->font();
    negrita.setBold(true);
    nota->setFont(negrita);
    QLabel* texto = etiqueta(Q("Se recomienda no modificar los valores de los coeficientes de "
                               "seguridad establecidos por el programa."),
                             840, 1320, 3615, 615);
    texto->setWordWrap(true);
    texto->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto boton = [this](QPushButton*& b, const char* nombre, const char* texto, int x) {
        b = new QPushButton(Q(texto), this);
        b->setObjectName(Q(nombre));
        b->setGeometry(twips(x), twips(2160), twips(1215), twips(495));
    };
    boton(CM_ACEPTAR, "CM_ACEPTAR", "&Aceptar", 360);
    boton(CM_CANCELAR, "CM_CANCELAR", "&Cancelar", 1680);
    boton(CM_RESTAURAR, "CM_RESTAURAR", "&Restablecer", 3000);
    setTabOrder(TX_GC, TX_GS);
    setTabOrder(TX_GS, TX_GR);
    setTabOrder(TX_GR, CM_ACEPTAR);
    setTabOrder(CM_ACEPTAR, CM_CANCELAR);
    setTabOrder(CM_CANCELAR, CM_RESTAURAR);

    guardia_ = new platform::FieldGuard(this);
    guardia_->watch(TX_GC, [this] { return TX_GC_LostFocus(); });
    guardia_->watch(TX_GS, [this] { return TX_GS_LostFocus(); });
    guardia_->watch(TX_GR, [this] { return TX_GR_LostFocus(); });
    // Cancelar abandons the texts: a refused one never holds it.
    guardia_->exempt(CM_CANCELAR);

    connect(CM_ACEPTAR, &QPushButton::clicked, this, [this] { CM_ACEPTAR_Click(); });
    connect(CM_CANCELAR, &QPushButton::clicked, this, [this] { CM_CANCELAR_Click(); });
    connect(CM_RESTAURAR, &QPushButton::clicked, this, [this] { CM_RESTAURAR_Click(); });
    foco_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == CM_CANCELAR) antes_de_cancelar_ = old;
    });
    // Return and Esc reach the dialog through its fields (the field guard
    // holds keys sent anywhere else while a field is refused).
    for (QLineEdit* c : campos_) c->installEventFilter(this);

    setFixedSize(twips(4575), twips(2895));
}

// The focus moves while the base class destroys the children: this part of
// the dialog must no longer hear of it.
FM_COEF::~FM_COEF() { disconnect(foco_); }

void FM_COEF::Form_Load() {
    const auto& c = General::Caso;
    for (std::size_t i = 0; i < 3; ++i) {
        aceptado_[i] = Dos_Decimales(c.*(kReglas[i].valor));
        campos_[i]->setText(aceptado_[i]);
    }
    TX_GC->setFocus();
}

platform::LeaveResult FM_COEF::TX_GC_LostFocus() { return Campo_LostFocus(0); }
platform::LeaveResult FM_COEF::TX_GS_LostFocus() { return Campo_LostFocus(1); }
platform::LeaveResult FM_COEF::TX_GR_LostFocus() { return Campo_LostFocus(2); }

// A refusal stores nothing (no fallback); an acceptance shows the value in
// two decimals and marks the case, but stores nothing either.
platform::LeaveResult FM_COEF::Campo_LostFocus(int i) {
    const auto k = static_cast<std::size_t>(i);
    const Regla& r = kReglas[k];
    QLineEdit* campo = campos_[k];
    const QString texto = campo->text();
    const char* mensaje = nullptr;
    double v = 0;
    if (texto.isEmpty()) {
        mensaje = r.vacio;
    } else if (!platform::isNumber(texto) || !std::isfinite(v = platform::typedValue(texto))) {
        mensaje = r.no_numero;
    } else if (v < Rangos::Coeficiente_Minimo) {
        mensaje = r.menor;
    }
    if (mensaje) {
        platform::showMessage(mensaje, platform::Icon::Critical);
        return platform::LeaveResult::refused();
    }
    aceptado_[k] = Dos_Decimales(v);
    campo->setText(aceptado_[k]);
    auto& c = General::Caso;
    c.Modificado = true;
    c.Calculado = false;
    return platform::LeaveResult::accepted();
}

bool FM_COEF::Aceptable(int i) const {
    const auto k = static_cast<std::size_t>(i);
    return guardia_->refusedField() != campos_[k] && campos_[k]->text() == aceptado_[k];
}

void FM_COEF::CM_RESTAURAR_Click() {
    for (std::size_t i = 0; i < 3; ++i) {
        aceptado_[i] = Dos_Decimales(kReglas[i].defecto);
        campos_[i]->setText(aceptado_[i]);
    }
}

// The field that holds the focus is left first (Return presses this
// without a focus change); a text not accepted is never stored.
void FM_COEF::CM_ACEPTAR_Click() {
    if (QWidget* campo = guardia_->focusedField())
        if (guardia_->leave(campo) != platform::LeaveResult::Kind::Accepted) return;
    for (int i = 0; i < 3; ++i) {
        if (Aceptable(i)) continue;
        QLineEdit* campo = campos_[static_cast<std::size_t>(i)];
        if (guardia_->leave(campo) != platform::LeaveResult::Kind::Accepted || !Aceptable(i))
            return;
    }
    double valores[3];
    for (std::size_t i = 0; i < 3; ++i) {
        bool ok = false;
        valores[i] = platform::readShown(campos_[i]->text(), &ok);
        if (!ok) return;
    }
    auto& c = General::Caso;
    for (std::size_t i = 0; i < 3; ++i) c.*(kReglas[i].valor) = valores[i];
    c.Modificado = true;
    c.Calculado = false;
    accept();
}

// Closes without storing, whatever the fields show. The click that leaves
// a field with a valid text accepts it on the way, as any button does.
void FM_COEF::CM_CANCELAR_Click() {
    for (int i = 0; i < 3; ++i) {
        QLineEdit* campo = campos_[static_cast<std::size_t>(i)];
        if (antes_de_cancelar_ != campo || guardia_->refusedField() == campo) continue;
        const QString texto = campo->text();
        if (!texto.isEmpty() && platform::isNumber(texto)) {
            const double v = platform::typedValue(texto);
            if (std::isfinite(v) && v >= 1) {
                General::Caso.Modificado = true;
                General::Caso.Calculado = false;
            }
        }
    }
    reject();
}

bool FM_COEF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CM_ACEPTAR_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

namespace windows {

void Mostrar_FM_COEF(QWidget* padre) {
    FM_COEF dialogo(padre);
    dialogo.Form_Load();
    platform::runModal(dialogo);
}

}  // namespace windows
