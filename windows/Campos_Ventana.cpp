#include "windows/Campos_Ventana.h"

#include "engine/Decimales.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/FieldLeave.h"
#include "platform/Grid.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "windows/DesignWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <cmath>

namespace windows {

QString Texto_Tipo(int j, int n) {
    const std::string nombre = General::Caso.Nombre_Refuerzo.Leer(j).value_or(std::string());
    return QStringLiteral("Refuerzo tipo ") + QString::fromStdString(nombre) +
           QStringLiteral(" - Núm. capas: ") + QLatin1Char(' ') + QString::number(n);
}

QString Numero(double v, const char* patron) {
    return platform::formatNumber(v, QString::fromUtf8(patron));
}

QString Texto_Control(const QWidget* control) {
    if (auto* l = qobject_cast<const QLineEdit*>(control)) return l->text();
    if (auto* c = qobject_cast<const platform::Combo*>(control)) return c->text();
    return {};
}

void Poner_Control(QWidget* control, const QString& texto) {
    if (auto* l = qobject_cast<QLineEdit*>(control)) {
        l->setText(texto);
        l->setCursorPosition(0);
    }
    if (auto* c = qobject_cast<platform::Combo*>(control)) c->setText(texto);
}

std::optional<double> Leer_Mostrado(const QString& texto) {
    bool ok = false;
    double v = platform::readShown(texto, &ok);
    if (!ok && platform::isNumber(texto)) {
        v = Decimales::Convertir_Numero(Decimales::Recortar(texto.toStdString()));
        ok = true;
    }
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

void Rechazar_Control(QWidget* control, const std::string& mensaje) {
    platform::showMessage(mensaje, platform::Icon::Critical);
    platform::selectWholeText(control);
    control->setFocus();
}

bool Recoger_Campos(const std::function<void()>& recoger) {
    auto& c = General::Caso;
    const bool antes = c.Error_Datos;
    c.Error_Datos = false;
    recoger();
    const bool ok = !c.Error_Datos;
    c.Error_Datos = antes || !ok;
    return ok;
}

void Llenar_Lista(platform::Combo* lista, std::span<const double> valores, double guardado,
                  const QString& patron) {
    {
        const QSignalBlocker bloqueo(lista);
        lista->clear();
    }
    for (double v : valores) lista->addEntry(platform::formatNumber(v, patron));
    bool hallado = false;
    for (int i = 0; i < lista->count(); ++i) {
        bool ok = false;
        const double v = platform::readShown(lista->entry(i), &ok);
        if (ok && v == guardado) {
            lista->select(i);
            hallado = true;
        }
    }
    if (!hallado) {
        lista->addEntry(platform::formatNumber(guardado, patron));
        lista->select(lista->count() - 1);
    }
}

void Entradas_Marco(FrameHooks& hooks, bool activas) {
    for (FrameEntry e : {FrameEntry::Guardar, FrameEntry::GuardarComo, FrameEntry::Imprimir,
                         FrameEntry::BotonGuardar, FrameEntry::BotonImprimir})
        hooks.setEntryEnabled(e, activas);
}

QLabel* Poner_Caja_Resultado(QWidget* marco, const Caja_Resultado& c, int y, int xEtiqueta,
                             int wEtiqueta, int xCaja, int wCaja, int xUnidad, int wUnidad) {
    auto* l = new QLabel(QString::fromUtf8(c.etiqueta), marco);
    l->setGeometry(xEtiqueta, y, wEtiqueta, platform::pixels(20));
    c.caja = new platform::ReadOnlyBox(marco);
    c.caja->setObjectName(QString::fromUtf8(c.nombre));
    c.caja->setToolTip(QString::fromUtf8(c.ayuda));
    c.caja->setGeometry(xCaja, y, wCaja, platform::pixels(20));
    platform::nameByLabel(l, c.caja);
    auto* u = new QLabel(QString::fromUtf8(c.unidad), marco);
    u->setGeometry(xUnidad, y, wUnidad, platform::pixels(20));
    return l;
}

void Llenar_Tabla_Capas(platform::Grid* g, const std::function<QString(int, int)>& texto,
                        const std::function<bool(int, int)>& alcanza) {
    static const QColor kAmarillo(255, 255, 0);
    static const QColor kBlanco(255, 255, 255);
    const auto& c = General::Caso;
    const int nv = c.Num_Tipos_Refuerzo;
    const int nc = c.Num_Capas_Max;
    g->setRows(nc + 1);
    g->setRowHeightAll(platform::twips(300));
    g->setCols(nv + 1);
    for (int j = 0; j <= nv; ++j) g->setColWidth(j, platform::twips(1595));
    g->setColWidth(0, platform::twips(1000));
    g->setCellText(0, 0, QString::fromUtf8("Nº capas"));
    for (int j = 1; j <= nv; ++j)
        g->setCellText(0, j, QString::fromStdString(c.Nombre_Refuerzo.Leer(j).value_or("")));
    for (int n = 1; n <= nc; ++n) {
        g->setCellText(n, 0, QString::number(n));
        for (int j = 1; j <= nv; ++j) {
            g->setCellText(n, j, texto(j, n));
            g->setRow(n);
            g->setCol(j);
            g->setCellBackground(n, j, alcanza(j, n) ? kAmarillo : kBlanco);
        }
    }
}

}  // namespace windows
