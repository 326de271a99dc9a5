// The layouts at the DPI the run sets (96, and 144 with the toolkit's
// scaling off, where only the fonts would grow if the twips did not): every
// field shows its whole default value, no label runs past its place or into
// another, and every design window sits whole in the frame.
#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "tests/platform_fakes/Fakes.h"
#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "windows/Dialogos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string Nombre(const QWidget* w) {
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                      : w->objectName())
        .toStdString();
}

// The width a line edit gives its text: its contents less the toolkit's
// two-pixel margin on each side.
int Ancho_Texto(const QLineEdit* e) {
    QStyleOptionFrame o;
    o.initFrom(e);
    o.rect = e->rect();
    o.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e) : 0;
    const QMargins m = e->textMargins();
    return e->style()->subElementRect(QStyle::SE_LineEditContents, &o, e).width() - m.left() -
           m.right() - 4;
}

// Where a label draws its text, in its parent's coordinates.
QRect Texto_Etiqueta(const QLabel* l) {
    return QStyle::alignedRect(Qt::LeftToRight, l->alignment(), l->sizeHint().boundedTo(l->size()),
                               l->geometry());
}

// Every check of one window or dialog.
void Revisar(const QWidget& ventana) {
    SCOPED_TRACE(Nombre(&ventana));
    for (const QLineEdit* e : ventana.findChildren<QLineEdit*>()) {
        if (!e->isVisibleTo(&ventana) || e->text().isEmpty()) continue;
        EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), Ancho_Texto(e))
            << Nombre(e) << (e->parentWidget() ? " in " + Nombre(e->parentWidget()) : "")
            << " cuts \"" << e->text().toStdString() << "\"";
    }
    for (const QLabel* l : ventana.findChildren<QLabel*>()) {
        if (!l->isVisibleTo(&ventana) || l->text().isEmpty() || l->wordWrap()) continue;
        EXPECT_LE(l->sizeHint().width(), l->width() + 1)
            << "label \"" << l->text().toStdString() << "\" runs past its place";
        for (const QLabel* otra : l->parentWidget()->findChildren<QLabel*>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (otra == l || !otra->isVisibleTo(&ventana) || otra->text().isEmpty()) continue;
            EXPECT_FALSE(Texto_Etiqueta(l).intersects(Texto_Etiqueta(otra)))
                << "\"" << l->text().toStdString() << "\" over \"" << otra->text().toStdString()
                << "\"";
        }
    }
    for (const QAbstractButton* b : ventana.findChildren<QRadioButton*>())
        EXPECT_LE(b->sizeHint().width(), b->width()) << Nombre(b) << " cuts its text";
    // Every control inside its parent.
    for (const QWidget* w : ventana.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&ventana) || w->isWindow() || !w->parentWidget() ||
            qobject_cast<const QComboBox*>(w->parentWidget()))
            continue;
        if (w->parentWidget()->inherits("QAbstractScrollArea") ||
            w->parentWidget()->inherits("QHeaderView") || w->inherits("QScrollBar"))
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << Nombre(w) << " leaves " << Nombre(w->parentWidget());
    }
}

class Diseno : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = General::Datos{};
        principal = Inicio::Main();
        ASSERT_TRUE(principal);
        principal->Cerrar_Presentacion();
    }
    void TearDown() override {
        principal.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::c());
    }

    platform::ScopedScreenSize pantalla{QSize(1920, 1440)};
    platform::ScopedFakeMessages mensajes;
    std::unique_ptr<MDI_PRINCIPAL> principal;
};

TEST_F(Diseno, TwipsFollowTheScreensLogicalDpi) {
    const double dpi = platform::logicalDpi();
    if (const char* forzado = std::getenv("QT_FONT_DPI")) {
        EXPECT_EQ(dpi, std::atof(forzado));
    }
    EXPECT_EQ(platform::twips(1440), static_cast<int>(dpi));
    EXPECT_EQ(platform::twips(12000), static_cast<int>(12000 * dpi / 1440 + 0.5));
    EXPECT_EQ(platform::pixels(20), platform::twips(300));
}

TEST_F(Diseno, DesignWindowsShowTheirValuesWholeAndSitWholeInTheFrame) {
    using Orden = void (MDI_PRINCIPAL::*)();
    const Orden ordenes[] = {&MDI_PRINCIPAL::mnuCalcularFlexion_Click,
                             &MDI_PRINCIPAL::mnuCalcularFlexionT_Click,
                             &MDI_PRINCIPAL::mnuCalcularConfina_Click,
                             &MDI_PRINCIPAL::mnuCalcularCarac_Click};
    for (Orden orden : ordenes) {
        mensajes.fake.defaultYesNo = platform::Answer::No;
        (principal.get()->*orden)();
        QMdiSubWindow* sub = principal->Subventana();
        ASSERT_TRUE(sub);
        QCoreApplication::processEvents();
        Revisar(*principal->Ventana());
        EXPECT_TRUE(principal->Area()->viewport()->rect().contains(sub->geometry()))
            << Nombre(principal->Ventana()) << " is cut by the frame";
    }
}

// The background picture reaches the far corner of the free area: no
// plain band beside or below it.
TEST_F(Diseno, BackgroundFillsTheFreeArea) {
    principal->show();
    QCoreApplication::processEvents();
    QWidget* libre = principal->Area()->viewport();
    const QImage vista = libre->grab().toImage();
    ASSERT_FALSE(vista.isNull());
    const QColor liso = principal->Area()->palette().color(QPalette::Dark);
    const QPoint esquina(vista.width() - 3, vista.height() - 3);
    EXPECT_NE(vista.pixelColor(esquina).rgb(), liso.rgb())
        << "plain at " << esquina.x() << ", " << esquina.y();
}

TEST_F(Diseno, DialogsShowTheirValuesWhole) {
    principal->mnuCalcularFlexion_Click();
    ASSERT_TRUE(principal->Ventana());
    platform::ScopedModalScript guion;
    int revisados = 0;
    for (int i = 0; i < 2; ++i)
        guion.push([&](QDialog& d) {
            Revisar(d);
            ++revisados;
        });
    windows::Mostrar_FM_COEF(principal->Ventana());
    windows::Mostrar_FM_ANCLAJE(principal->Ventana());
    EXPECT_EQ(revisados, 2);
}

}  // namespace
