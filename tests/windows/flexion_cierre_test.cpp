// Load, activation, close with its save question, and the hand-over of the
// fields to the collector.
#include "flexion_test_support.h"

#include "platform/QtMessageService.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using windows::flexion::Campo;

TEST_F(Flexion, LoadSetsTheFlagsAndFillsTheFields) {
    General::Caso.Abriendo_Fichero = true;
    auto& f = Abrir();
    const auto& c = General::Caso;
    EXPECT_TRUE(c.Flexion_Abierto);
    EXPECT_TRUE(c.Guardado);
    EXPECT_FALSE(c.Sin_Nombre);
    EXPECT_EQ(f.windowTitle(), "Cálculo del refuerzo a flexión en secciones rectangulares");
    EXPECT_EQ(f.TX_ANCHO->text(), "0,400");
    EXPECT_EQ(f.TX_ASI->text(), "10,00");
    EXPECT_EQ(f.TX_MD->text(), "0,00");
    EXPECT_EQ(f.CO_FCK->text(), "25");
    EXPECT_EQ(f.CO_FYK->text(), "500");
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,125");
    EXPECT_FALSE(f.LB_INFO->shown());
    EXPECT_FALSE(f.CM_CAPAS->isEnabled());
    EXPECT_TRUE(f.CM_SECCION->isEnabled());
    EXPECT_TRUE(frame.Todas(true));  // activation
    EXPECT_EQ(f.CM_CALCULAR->toolTip(), "Calcula flexión");
}

TEST_F(Flexion, ReshowsTheCaseAfterAFileWasRead) {
    auto& f = Abrir();
    auto& c = General::Caso;
    c.Ancho = 0.5;
    c.Fck = 30;
    c.Ancho_Refuerzo = 0.3;
    f.Mostrar_Datos();
    EXPECT_EQ(f.TX_ANCHO->text(), "0,500");
    EXPECT_EQ(f.CO_FCK->count(), 6);
    EXPECT_EQ(f.CO_FCK->selectedIndex(), 1);
    EXPECT_EQ(f.CO_ANCHOR->count(), 6);
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,300");
}

TEST_F(Flexion, FieldTextsGoToTheCollector) {
    auto& f = Abrir();
    f.TX_CANTO->setText("0,3");  // not left: the collector reads what is shown
    f.TX_MD->setText("-25");
    EXPECT_EQ(f.Textos().TX_CANTO, "0,3");
    EXPECT_TRUE(f.Recoger_Datos());
    EXPECT_EQ(General::Caso.Canto, 0.3);
    EXPECT_EQ(General::Caso.Momento_Solicitante, 25);
    EXPECT_FALSE(General::Caso.Error_Datos);

    f.TX_ASI->setText("abc");
    EXPECT_FALSE(f.Recoger_Datos());
    EXPECT_TRUE(General::Caso.Error_Datos);
    f.TX_ASI->setText("5");
    EXPECT_TRUE(f.Recoger_Datos());
    EXPECT_TRUE(General::Caso.Error_Datos);  // never set back to False
}

TEST_F(Flexion, CloseWithoutQuestionWhenSavedAndNotModified) {
    General::Caso.Abriendo_Fichero = true;
    auto& f = Abrir();
    General::Caso.Calculado = true;
    EXPECT_TRUE(f.Form_Unload());
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_FALSE(General::Caso.Flexion_Abierto);
    EXPECT_FALSE(General::Caso.Calculado);
    EXPECT_TRUE(frame.Todas(false));
}

TEST_F(Flexion, CloseAnsweredNoClosesWithoutSaving) {
    auto& f = Abrir();
    mensajes.fake.answers.push_back(platform::Answer::No);
    EXPECT_TRUE(f.Form_Unload());
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos no se han grabado, ¿desea grabar los datos?");
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Question);
    EXPECT_EQ(mensajes.fake.shown[0].buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(dialogos.fake.asked.empty());
    EXPECT_FALSE(General::Caso.Flexion_Abierto);
    EXPECT_TRUE(frame.Todas(false));
}

TEST_F(Flexion, CloseAnsweredYesSavesTheFile) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("caso.krf");
    auto& f = Abrir();
    Escribir(Campo::Canto, "0,7");
    Responder_Grabar(ruta.toStdString());
    EXPECT_TRUE(f.Form_Unload());
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    const auto& pide = dialogos.fake.asked[0];
    EXPECT_EQ(pide.kind, platform::FileRequest::Kind::Save);
    EXPECT_EQ(pide.filter, "Archivos VORLANT - Flexión|*.KRF");
    EXPECT_EQ(pide.filterIndex, 1);
    EXPECT_EQ(pide.fileName, "flexion.krf");
    EXPECT_TRUE(pide.confirmOverwrite);
    const auto& c = General::Caso;
    EXPECT_EQ(c.Nombre_Fichero, ruta.toStdString());
    EXPECT_TRUE(c.Guardado);
    EXPECT_FALSE(c.Modificado);
    EXPECT_FALSE(c.Flexion_Abierto);
    const QStringList lineas = Lineas_Fichero(ruta);
    ASSERT_GE(lineas.size(), 3);
    EXPECT_EQ(lineas[0], "1");
    EXPECT_EQ(lineas[2].toDouble(), 0.7);
}

TEST_F(Flexion, CloseAnsweredYesIsAbandonedWhenTheSaveCannotComplete) {
    struct Caso {
        const char* nombre;
        bool campo_malo;
        std::optional<std::string> ruta;  // nullopt: the dialog is cancelled
        const char* mensaje;  // nullptr: no message after the question
        platform::Icon icono;
    };
    QTemporaryDir dir;
    const Caso casos[] = {
        {"campos incorrectos", true, std::string("x.krf"), "Los datos introducidos no son correctos.",
         platform::Icon::Critical},
        {"dialogo cancelado", false, std::nullopt, nullptr, platform::Icon::None},
        {"carpeta inexistente", false, dir.filePath("no/hay/x.krf").toStdString(),
         "Error 76: No se encuentra la ruta de acceso.", platform::Icon::Exclamation},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SetUp();
        auto& f = Abrir();
        frame.entradas.clear();
        if (caso.campo_malo) f.TX_ASI->setText("abc");
        dialogos.fake.asked.clear();
        Responder_Grabar(caso.ruta);
        EXPECT_FALSE(f.Form_Unload());
        EXPECT_TRUE(General::Caso.Error_Datos);
        EXPECT_TRUE(General::Caso.Flexion_Abierto);
        EXPECT_FALSE(General::Caso.Guardado);
        EXPECT_TRUE(frame.entradas.empty());
        EXPECT_EQ(dialogos.fake.asked.size(), caso.campo_malo ? 0u : 1u);
        // The save question, then the reason the save stopped, if any.
        ASSERT_EQ(mensajes.fake.shown.size(), caso.mensaje ? 2u : 1u);
        EXPECT_EQ(mensajes.fake.shown[0].text,
                  "Los datos no se han grabado, ¿desea grabar los datos?");
        if (caso.mensaje) {
            EXPECT_EQ(mensajes.fake.shown.back().text, caso.mensaje);
            EXPECT_EQ(mensajes.fake.shown.back().icon, caso.icono);
        }
        dialogos.fake.answers.clear();
    }
}

TEST_F(Flexion, CloseOfANamedCaseProposesItsOwnFileAndAddsTheExtension) {
    QTemporaryDir dir;
    auto& c = General::Caso;
    c.Abriendo_Fichero = true;  // the case came from a file
    c.Nombre_Fichero = dir.filePath("viga.krf").toStdString();
    auto& f = Abrir();
    Escribir(Campo::Canto, "0,7");  // modified: the close asks
    const std::string sin_extension = dir.filePath("viga2").toStdString();
    Responder_Grabar(sin_extension);
    EXPECT_TRUE(f.Form_Unload());
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_EQ(dialogos.fake.asked[0].fileName, dir.filePath("viga.krf").toStdString());
    EXPECT_EQ(c.Nombre_Fichero, sin_extension + ".krf");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(sin_extension + ".krf")));
}

// The save question on the toolkit's real box: Escape and the close button
// leave it on show with the typed case untouched; the case then goes the
// way the answer says.
TEST_F(Flexion, RealSaveQuestionIgnoresEscapeAndTheCloseButton) {
    for (const bool si : {true, false}) {
        SCOPED_TRACE(si ? "Sí" : "No");
        SetUp();
        QTemporaryDir dir;
        const QString ruta = dir.filePath("caso.krf");
        auto& f = Abrir();
        Escribir(Campo::Canto, "0,7");
        dialogos.fake.asked.clear();
        dialogos.fake.answers.assign({ruta.toStdString()});
        platform::QtMessageService real(&f);
        platform::setMessages(&real);
        bool abierta = false, intacto = false;
        QTimer::singleShot(0, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            QTest::keyClick(caja, Qt::Key_Escape);
            caja->close();
            QCoreApplication::processEvents();
            abierta = QApplication::activeModalWidget() == caja && caja->isVisible();
            intacto = f.TX_CANTO->text() == "0,700" && General::Caso.Modificado &&
                      General::Caso.Flexion_Abierto;
            for (QAbstractButton* b : caja->buttons())
                if (b->text().remove('&') == (si ? QString("Sí") : QString("No"))) b->click();
        });
        const bool cerrada = f.Form_Unload();
        platform::setMessages(&mensajes.fake);
        EXPECT_TRUE(abierta);
        EXPECT_TRUE(intacto);
        EXPECT_TRUE(cerrada);
        EXPECT_FALSE(General::Caso.Flexion_Abierto);
        EXPECT_EQ(dialogos.fake.asked.size(), si ? 1u : 0u);
        EXPECT_EQ(QFile::exists(ruta), si);
        if (si) {
            const QStringList lineas = Lineas_Fichero(ruta);
            ASSERT_GE(lineas.size(), 3);
            EXPECT_EQ(lineas[2].toDouble(), 0.7);
            EXPECT_FALSE(General::Caso.Modificado);
        }
        TearDown();
    }
}
