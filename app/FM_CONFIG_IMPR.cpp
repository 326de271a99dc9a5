#include "app/FM_CONFIG_IMPR.h"

#include "platform/Controls.h"
#include "platform/Printers.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// A printer in 16 colours on 32 x 32 pixels.
QIcon Icono_Impresora() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 12, 24, 12);
    p.setBrush(Qt::white);
    p.drawRect(9, 4, 14, 8);
    p.drawRect(9, 20, 14, 8);
    p.setPen(QColor(0, 128, 0));
    p.drawPoint(24, 15);
    return QIcon(pm);
}

}  // namespace

FM_CONFIG_IMPR::FM_CONFIG_IMPR(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FM_CONFIG_IMPR"));
    setWindowTitle(QStringLiteral("Selección de impresora"));
    setWindowIcon(Icono_Impresora());

    LB_IMPRESORA = new QLabel(QStringLiteral("Seleccione impresora por defecto"), this);
    LB_IMPRESORA->setObjectName(QStringLiteral("LB_IMPRESORA"));
    LB_IMPRESORA->setGeometry(12, 12, 300, 18);

    CO_IMPRESORA = new QComboBox(this);
    CO_IMPRESORA->setObjectName(QStringLiteral("CO_IMPRESORA"));
    CO_IMPRESORA->setEditable(false);
    CO_IMPRESORA->setGeometry(12, 34, 300, 24);
    platform::nameByLabel(LB_IMPRESORA, CO_IMPRESORA);

    CM_SELECCIONAR = new QPushButton(QStringLiteral("&Seleccionar"), this);
    CM_SELECCIONAR->setObjectName(QStringLiteral("CM_SELECCIONAR"));
    CM_SELECCIONAR->setAutoDefault(false);
    CM_SELECCIONAR->setGeometry(72, 70, 100, 26);

    CM_SALIR = new QPushButton(QStringLiteral("S&alir"), this);
    CM_SALIR->setObjectName(QStringLiteral("CM_SALIR"));
    CM_SALIR->setAutoDefault(false);
    CM_SALIR->setGeometry(182, 70, 100, 26);

    setFixedSize(324, 108);
    connect(CM_SELECCIONAR, &QPushButton::clicked, this, &FM_CONFIG_IMPR::CM_SELECCIONAR_Click);
    connect(CM_SALIR, &QPushButton::clicked, this, &FM_CONFIG_IMPR::CM_SALIR_Click);
}

void FM_CONFIG_IMPR::Form_Load() {
    platform::BusyCursor reloj;
    const platform::PrinterChoice eleccion = platform::printerChoice();
    reloj.release();
    const std::vector<std::string>& lista = eleccion.offered;
    const std::string& actual = eleccion.current;
    Error_Lista = eleccion.error;
    Aviso = eleccion.notice;
    int p = -1;
    CO_IMPRESORA->blockSignals(true);
    CO_IMPRESORA->clear();
    for (const std::string& nombre : lista) {
        if (nombre == actual) p = CO_IMPRESORA->count();
        CO_IMPRESORA->addItem(QString::fromStdString(nombre));
    }
    const bool hay = !lista.empty();
    CO_IMPRESORA->setEnabled(hay);
    CM_SELECCIONAR->setEnabled(hay);
    if (hay) CO_IMPRESORA->setCurrentIndex(p);
    CO_IMPRESORA->blockSignals(false);
}

void FM_CONFIG_IMPR::CM_SELECCIONAR_Click() {
    // The name shown, not a place in a list the system may have changed.
    if (CO_IMPRESORA->currentIndex() >= 0)
        platform::setCurrentPrinter(CO_IMPRESORA->currentText().toStdString());
}

void FM_CONFIG_IMPR::CM_SALIR_Click() { reject(); }
