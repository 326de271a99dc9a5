#include "app/FM_ACERCADE.h"

#include "app/FM_PRESENTACION.h"
#include "app/Fuente_Arial.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/Modal.h"
#include "platform/Screen.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// An etched line: grey over white.
QWidget* Separador(QWidget* padre) {
    auto* linea = new QFrame(padre);
    linea->setObjectName(QStringLiteral("Separador"));
    linea->setFixedHeight(2);
    linea->setAutoFillBackground(false);
    linea->setFrameShape(QFrame::NoFrame);
    linea->setStyleSheet(QStringLiteral(
        "QFrame#Separador { border-top: 1px solid rgb(128,128,128);"
        " border-bottom: 1px solid rgb(255,255,255); }"));
    return linea;
}

}  // namespace

FM_ACERCADE::FM_ACERCADE(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FM_ACERCADE"));
    setWindowTitle(QStringLiteral("Acerca de VORLANT®"));

    auto etiqueta = [this](const char* nombre, const QString& texto, double puntos,
                           bool negrita) {
        auto* l = new QLabel(texto, this);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setFont(Fuente_Arial(puntos, negrita));
        return l;
    };
    lblTitle = etiqueta("lblTitle", QStringLiteral("KESTRAM - VORLANT®"), 9.75, true);
    lblVersion = etiqueta("lblVersion", QStringLiteral("Versión " KESTRAM_VERSION), 9.75, true);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(FM_PRESENTACION::Dibujo_Producto());
    Image2->setFixedSize(447, 231);
    Label1 = etiqueta("Label1", QStringLiteral("Programa realizado por "), 8.25, false);
    Label2 = etiqueta("Label2", QStringLiteral("Lumbrera"), 11.25, true);
    Label3 = etiqueta("Label3", QStringLiteral("ingeniería"), 8.25, false);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Dibujo_Logo());
    Image1->setFixedSize(60, 39);
    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdOK->setMinimumWidth(90);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* credito = new QHBoxLayout;
    credito->setSpacing(0);
    credito->addWidget(Label1, 0, Qt::AlignBottom);
    credito->addWidget(Label2, 0, Qt::AlignBottom);
    credito->addSpacing(4);
    credito->addWidget(Label3, 0, Qt::AlignBottom);
    credito->addStretch();
    credito->addWidget(Image1);

    auto* abajo = new QHBoxLayout;
    abajo->addStretch();
    abajo->addWidget(cmdOK);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(12, 12, 12, 12);
    todo->addWidget(lblTitle);
    todo->addWidget(lblVersion);
    todo->addWidget(Image2, 0, Qt::AlignHCenter);
    todo->addLayout(credito);
    todo->addWidget(Separador(this));
    todo->addLayout(abajo);
    todo->setSizeConstraint(QLayout::SetFixedSize);
    todo->activate();  // its fixed size is known before it is placed
}

QPixmap FM_ACERCADE::Dibujo_Logo() {
    QPixmap pm(60, 39);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 160, 20));
    p.drawEllipse(QRectF(4, 4, 31, 31));
    p.setBrush(QColor(30, 60, 120));
    p.drawRect(QRectF(22, 18, 34, 6));
    p.drawRect(QRectF(30, 10, 6, 22));
    return pm;
}

// About command: the open design case's fields are collected first; while
// they fail nothing is shown.
void MDI_PRINCIPAL::mnuAyudaAcerca_Click() {
    auto& c = General::Caso;
    c.Error_Datos = false;
    auto recoger = [&](windows::DesignKind kind) {
        if (ventana_ && ventana_->kind() == kind && !ventana_->Recoger_Datos())
            c.Error_Datos = true;
    };
    if (c.Flexion_Abierto)
        recoger(windows::DesignKind::Flexion);
    else if (c.FlexionT_Abierto)
        recoger(windows::DesignKind::FlexionT);
    else if (c.Confina_Abierto)
        recoger(windows::DesignKind::Confina);
    if (c.Error_Datos) return;
    FM_ACERCADE caja(this);
    platform::centerOnWindow(caja, *this);
    platform::runModal(caja);
}
