#include "app/FM_PRESENTACION.h"

#include "app/Fuente_Arial.h"
#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/Picture.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

FM_PRESENTACION::FM_PRESENTACION(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FM_PRESENTACION"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Dibujo_Producto());
    Image1->setFixedSize(447, 231);

    auto etiqueta = [this](const char* nombre, const QString& texto, double puntos,
                           bool negrita) {
        auto* l = new QLabel(texto, Frame1);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setFont(Fuente_Arial(puntos, negrita));
        l->setWordWrap(true);
        return l;
    };
    LB_NOMBRE = etiqueta("LB_NOMBRE", QStringLiteral("Vorlant"), 21.75, true);
    LB_VERSION = etiqueta("LB_VERSION", QStringLiteral("Versión " KESTRAM_VERSION), 11.25, true);
    LB_COMENTARIOS = etiqueta(
        "LB_COMENTARIOS",
        QStringLiteral("Programa de cálculo del refuerzo de secciones mediante fibra de "
                       "carbono VORLANT®."),
        9.75, false);
    LB_AUTOR = etiqueta("LB_AUTOR", QStringLiteral("Kestram, 2026"), 9.75, false);
    LB_AUTOR->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* dentro = new QVBoxLayout(Frame1);
    dentro->setContentsMargins(12, 12, 12, 12);
    dentro->setSpacing(6);
    dentro->addWidget(Image1, 0, Qt::AlignHCenter);
    dentro->addWidget(LB_NOMBRE);
    dentro->addWidget(LB_VERSION);
    dentro->addWidget(LB_COMENTARIOS);
    dentro->addWidget(LB_AUTOR);

    auto* fuera = new QVBoxLayout(this);
    fuera->setContentsMargins(8, 8, 8, 8);
    fuera->addWidget(Frame1);
    fuera->setSizeConstraint(QLayout::SetFixedSize);

    for (QObject* o : {static_cast<QObject*>(Frame1), static_cast<QObject*>(Image1),
                       static_cast<QObject*>(LB_NOMBRE), static_cast<QObject*>(LB_VERSION),
                       static_cast<QObject*>(LB_COMENTARIOS),
                       static_cast<QObject*>(LB_AUTOR)})
        o->installEventFilter(this);

    TM = new QTimer(this);
    TM->setObjectName(QStringLiteral("TM"));
    // A coarse timer may fire up to 5 % early: the splash stays its 15 s.
    TM->setTimerType(Qt::PreciseTimer);
    connect(TM, &QTimer::timeout, this, &FM_PRESENTACION::TM_Timer);
}

void FM_PRESENTACION::Form_Load(int intervalo) {
    General::Caso.Presentacion_Visible = true;
    TM->start(intervalo);
    adjustSize();
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void FM_PRESENTACION::TM_Timer() {
    if (General::Caso.Presentacion_Visible) close();
}

void FM_PRESENTACION::Form_Unload() {
    General::Caso.Presentacion_Visible = false;
    TM->stop();
}

void FM_PRESENTACION::closeEvent(QCloseEvent* e) {
    Form_Unload();
    e->accept();
}

bool FM_PRESENTACION::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:  // any key, whatever its code
        // A modifier alone is not a key press yet: with Ctrl+R the splash
        // closes on the R, which then goes no further.
        if (!platform::isModifierKey(static_cast<QKeyEvent*>(e)->key())) close();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return eventFilter(this, e);
    default:
        return QWidget::event(e);
    }
}

// A click is a left press and release on the same control. The picture and
// the name take their clicks and do nothing; every other part closes.
bool FM_PRESENTACION::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, e);
    auto* me = static_cast<QMouseEvent*>(e);
    if (me->button() != Qt::LeftButton) return true;
    if (e->type() == QEvent::MouseButtonPress) {
        pulsado_ = watched;
        return true;
    }
    const bool clic = pulsado_ == watched && static_cast<QWidget*>(watched)->rect().contains(
                                                 me->position().toPoint());
    pulsado_ = nullptr;
    if (clic && watched != Image1 && watched != LB_NOMBRE) close();
    return true;
}

namespace {

void Pintar_Producto(QImage& pm) {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fondo(0, 0, 0, 231);
    fondo.setColorAt(0, QColor(38, 44, 52));
    fondo.setColorAt(1, QColor(12, 14, 18));
    p.fillRect(pm.rect(), fondo);
    // A woven-sheet pattern: two families of thin diagonal strands.
    p.setPen(QPen(QColor(70, 78, 90), 1));
    for (int x = -231; x < 447; x += 9) {
        p.drawLine(x, 231, x + 231, 0);
        p.drawLine(x, 0, x + 231, 231);
    }
    p.fillRect(QRect(0, 86, 447, 60), QColor(0, 0, 0, 170));
    p.setPen(QColor(230, 200, 40));
    p.setFont(Fuente_Arial(22, true));
    p.drawText(QRect(0, 86, 447, 60), Qt::AlignCenter, QStringLiteral("KESTRAM - VORLANT®"));
    p.setPen(QPen(QColor(230, 200, 40), 2));
    p.drawRect(QRectF(1, 1, 445, 229));
}

}  // namespace

QPixmap FM_PRESENTACION::Dibujo_Producto() {
    return QPixmap::fromImage(
        platform::drawPicture(QSize(447, 231), QImage::Format_RGB32, Pintar_Producto));
}
