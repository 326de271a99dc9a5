// Every report printed by the main frame's print command from the real
// windows after a real calculation, to a PDF file, read back with the
// poppler tools.
#include "principal_test_support.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Grid.h"
#include "platform/Messages.h"
#include "platform/Printers.h"
#include "platform/Screen.h"
#include "windows/FM_CARAC.h"
#include "windows/FM_CONFINA.h"
#include "windows/FM_FLEXION.h"
#include "windows/FM_FLEXIONT.h"

#include "../reports/paper/pdf_support.h"
#include "tests/platform_fakes/Fakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using prueba::Buscar;

class InformesVentanas : public Marco_Real {
protected:
    void SetUp() override {
        General_dibujo::Dibujo = {};
        Marco_Real::SetUp();
    }
    void TearDown() override {
        // Keep the files for a look when asked to.
        const QByteArray copia = qgetenv("KESTRAM_INFORMES");
        if (!copia.isEmpty())
            for (const QString& f : QDir(dir.path()).entryList({"*.pdf"}))
                QFile::copy(dir.filePath(f), QString::fromLocal8Bit(copia) + "/" + f);
        Marco_Real::TearDown();
    }
    // Prints through the menu command to a PDF named nombre; its words.
    std::vector<prueba::Palabra> Imprimir(const char* nombre, int paginas) {
        const QString ruta = dir.filePath(QString::fromLatin1(nombre));
        dialogos.fake.answers.push_back(ruta.toStdString());
        const std::size_t antes = mensajes.fake.shown.size();
        principal->mnuPrincipalImprimir_Click();
        EXPECT_EQ(mensajes.fake.shown.size(), antes)
            << (mensajes.fake.shown.empty() ? "" : mensajes.fake.shown.back().text);
        EXPECT_EQ(prueba::Paginas(ruta), paginas) << nombre;
        return prueba::Palabras(ruta);
    }

    platform::ScopedFakePrinters impresoras;  // none: "Archivo PDF"
};

// The word of a line's label and the one printed at the value column on
// the same line.
void Linea(const std::vector<prueba::Palabra>& w, const char* etiqueta, const QString& valor,
           double x, int pagina = 1) {
    const auto e = Buscar(w, QString::fromUtf8(etiqueta), pagina);
    const auto v = Buscar(w, valor, pagina);
    ASSERT_TRUE(e && v) << etiqueta << " " << valor.toStdString();
    EXPECT_NEAR(v->x, x, 0.05) << etiqueta;
    EXPECT_NEAR(v->y, e->y, 0.02) << etiqueta;
}

void Pulsar_Celda(platform::Grid* g, int fila, int col) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(fila, col)).center());
}

TEST_F(InformesVentanas, FlexureReportsFromTheRealWindows) {
    struct Caso {
        bool t;
        const char* md;
        const char* nombre;
        int paginas;
        const char* aviso;  // a word of the notice, or nullptr
    };
    const Caso casos[] = {
        {false, "280", "rect.pdf", 2, nullptr},
        {false, "12,5", "rect_aviso.pdf", 1, "NECESARIO"},
        {false, "5000", "rect_nopuede.pdf", 1, "PUEDE"},
        {true, "280", "t.pdf", 2, nullptr},
        {true, "12,5", "t_aviso.pdf", 1, "NECESARIO"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        if (c.t)
            principal->mnuCalcularFlexionT_Click();
        else
            principal->mnuCalcularFlexion_Click();
        auto* w = dynamic_cast<windows::Ventana_Flexion*>(principal->Ventana());
        ASSERT_TRUE(w);
        Teclear(w->TX_MD, QString::fromLatin1(c.md));
        QTest::mouseClick(w->CM_CALCULAR, Qt::LeftButton);
        ASSERT_TRUE(General::Caso.Calculado)
            << (mensajes.fake.shown.empty() ? "" : mensajes.fake.shown.back().text) << " "
            << w->CM_CALCULAR->isEnabled();
        ASSERT_EQ(!w->LB_INFO->isHidden(), c.aviso != nullptr);
        const auto palabras = Imprimir(c.nombre, c.paginas);
        EXPECT_TRUE(Buscar(palabras, c.t ? "T" : "RECTANGULARES", 1));
        EXPECT_TRUE(Buscar(palabras, "alma:").has_value() == c.t);
        Linea(palabras, "solicitante:",
              QLocale().toString(General::Caso.Momento_Solicitante, 'f', 2), 6.5);
        if (c.aviso) {
            EXPECT_TRUE(Buscar(palabras, c.aviso));
            EXPECT_FALSE(Buscar(palabras, "RESULTADOS"));
        } else {
            // Shown and printed alike, on the result column.
            Linea(palabras, "c/r:", w->TX_MU->text().trimmed(), 15.0);
            Linea(palabras, "neutra:", w->TX_FN->text().trimmed(), 15.0);
            EXPECT_TRUE(Buscar(palabras, w->LB_TIPO->text().split(' ').first(), 1));
            EXPECT_TRUE(Buscar(palabras, "Página", 2));
            EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);
        }
    }

    // The T window still open: a cell shown as "---" is refused, and an edit
    // after the calculation asks for a new one; neither asks for a file.
    auto* w = dynamic_cast<windows::Ventana_Flexion*>(principal->Ventana());
    ASSERT_TRUE(w);
    Teclear(w->TX_MD, "280");
    QTest::mouseClick(w->CM_CALCULAR, Qt::LeftButton);
    Pulsar_Celda(w->FG_FLEXION, 5, 3);
    ASSERT_EQ(w->TX_MU->text(), "---");
    w->CM_SECCION->click();
    const std::size_t preguntas = dialogos.fake.asked.size();
    principal->mnuPrincipalImprimir_Click();
    ASSERT_FALSE(mensajes.fake.shown.empty());
    EXPECT_EQ(mensajes.fake.shown.back().text,
              "El tipo de refuerzo y número de capas elegidas no cumple con los requisitos "
              "impuestos por el fabricante.");
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion);  // the drawing stays
    Teclear(w->TX_MD, "281");
    principal->mnuPrincipalImprimir_Click();
    EXPECT_EQ(mensajes.fake.shown.back().text, kAvisoNoCalculado);
    EXPECT_EQ(dialogos.fake.asked.size(), preguntas);
}

TEST_F(InformesVentanas, ConfinementReportForEachSection) {
    struct Caso {
        int seccion;
        const char* nombre;
        const char* tipo;
        const char* lado;
        bool menor;
        bool aviso;  // no result reaches the increase: the whole page all the same
    };
    const Caso casos[] = {
        {0, "circular.pdf", "CIRCULAR", "Diámetro:", false, false},
        {1, "cuadrada.pdf", "CUADRADA", "Lado:", false, true},
        {2, "rectangular.pdf", "RECTANGULAR", "mayor:", true, true},
    };
    principal->mnuCalcularConfina_Click();
    auto* w = dynamic_cast<FM_CONFINA*>(principal->Ventana());
    ASSERT_TRUE(w);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        w->CO_SECCION->select(c.seccion);
        Teclear(w->TX_INCR, "1,3");
        QTest::mouseClick(w->CM_CALCULAR, Qt::LeftButton);
        ASSERT_TRUE(General::Caso.Calculado);
        EXPECT_EQ(!w->LB_INFO->isHidden(), c.aviso);
        w->CM_CONFINA->click();  // the diagram on show before printing
        const auto palabras = Imprimir(c.nombre, 1);
        Linea(palabras, "sección:", QString::fromLatin1(c.tipo), 6.5);
        EXPECT_TRUE(Buscar(palabras, QString::fromUtf8(c.lado)));
        EXPECT_EQ(Buscar(palabras, "menor:").has_value(), c.menor);
        Linea(palabras, "confinado:", w->TX_WC->text().trimmed(), 15.0);
        Linea(palabras, "Poisson:", QStringLiteral("0,50"), 15.0);
        EXPECT_TRUE(Buscar(palabras, w->TX_EPSR->text().trimmed() + QString::fromUtf8("‰")));
        EXPECT_TRUE(Buscar(palabras, "DIAGRAMA"));
        // The report leaves the column section on show.
        EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion);
    }
}

TEST_F(InformesVentanas, CharacteristicsReportForEachVariant) {
    principal->mnuCalcularCarac_Click();
    auto* w = dynamic_cast<FM_CARAC*>(principal->Ventana());
    ASSERT_TRUE(w);
    struct Caso {
        QRadioButton* op;
        const char* nombre;
        const char* codigo;
        const char* modulo;
        const char* ultima;
    };
    const Caso casos[] = {
        {w->OP_V20, "v20.pdf", "20", "230000", "15,00‰"},
        {w->OP_V30, "v30.pdf", "30", "230000", "15,00‰"},
        {w->OP_VMM, "vmm.pdf", "MM", "440000", "5,50‰"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.op->click();
        const auto palabras = Imprimir(c.nombre, 1);
        Linea(palabras, "refuerzo:", QStringLiteral("VORLANT"), 6.5);
        EXPECT_TRUE(Buscar(palabras, QString::fromLatin1(c.codigo)));
        EXPECT_TRUE(Buscar(palabras, QString::fromLatin1(c.modulo)));
        EXPECT_TRUE(Buscar(palabras, QString::fromUtf8(c.ultima)));
        EXPECT_TRUE(Buscar(palabras, "Página", 1));
    }
}

}  // namespace
