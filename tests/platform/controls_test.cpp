// Labels naming their controls for a screen reader.
#include "platform/Controls.h"
#include "../common/lector.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

// The text a label shows, as read: no markup, no access-key "&", blanks
// simplified; rich text only where the label takes it as such.
TEST(Labels, ReadableTextIsWhatTheLabelShows) {
    const struct {
        const char* texto;
        Qt::TextFormat formato;
        const char* leido;
    } casos[] = {
        {"Recubrimiento", Qt::AutoText, "Recubrimiento"},
        {"f<sub>ck</sub>", Qt::AutoText, "fck"},
        {"<b>M<sub>u,cr</sub></b>", Qt::AutoText, "Mu,cr"},
        {"<b>K<sub>m</sub></b>&nbsp;&nbsp;Factor", Qt::AutoText, "Km Factor"},
        {"<i>x</i>", Qt::PlainText, "<i>x</i>"},
        {"&Ancho", Qt::AutoText, "Ancho"},
        {"Sal&ir && volver", Qt::PlainText, "Salir & volver"},
        {"Final&", Qt::AutoText, "Final"},
        {"número de  capas\n dispuestas ", Qt::AutoText, "número de capas dispuestas"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        QLabel l(QString::fromUtf8(c.texto));
        l.setTextFormat(c.formato);
        EXPECT_EQ(platform::readableText(l).toStdString(), c.leido);
    }
}

// One control: the label is its buddy and names it. Several: each takes
// its part of the label, or the whole text when the parts do not match.
TEST(Labels, NameTheirControls) {
    QWidget ventana;
    auto* una = new QLabel(QStringLiteral("f<sub>yk</sub>"), &ventana);
    auto* campo = new QLineEdit(&ventana);
    platform::nameByLabel(una, campo);
    EXPECT_EQ(una->buddy(), campo);
    EXPECT_EQ(Nombre_Leido(campo), "fyk");

    const struct {
        const char* rotulo;
        int campos;
        std::vector<const char*> nombres;
    } filas[] = {
        {"Ancho - Ancho alma", 2, {"Ancho", "Ancho alma"}},
        {"Canto - Canto ala - Otro", 2, {"Canto - Canto ala - Otro", "Canto - Canto ala - Otro"}},
        {"Ancho - Ancho alma", 1, {"Ancho - Ancho alma"}},
    };
    for (const auto& f : filas) {
        SCOPED_TRACE(f.rotulo);
        auto* l = new QLabel(QString::fromUtf8(f.rotulo), &ventana);
        std::vector<QWidget*> campos;
        for (int i = 0; i < f.campos; ++i) campos.push_back(new QLineEdit(&ventana));
        platform::nameByLabel(l, campos);
        for (int i = 0; i < f.campos; ++i)
            EXPECT_EQ(Nombre_Leido(campos[size_t(i)]).toStdString(), f.nombres[size_t(i)]) << i;
    }
}

}  // namespace
