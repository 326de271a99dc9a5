// Fixture of the confinement window tests: a fresh default confinement case,
// the Spanish locale, fake messages and file dialogs, and FM_CONFINA.
#pragma once

#include "windows/FM_CONFINA.h"

#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/Grid.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <map>
#include <memory>

struct FrameConfinaFalso : windows::FrameHooks {
    std::map<windows::FrameEntry, bool> entradas;
    void setEntryEnabled(windows::FrameEntry e, bool on) override { entradas[e] = on; }
    bool Todas(bool on) const {
        if (entradas.size() != 5) return false;
        for (const auto& [e, v] : entradas)
            if (v != on) return false;
        return true;
    }
};

class Confina : public ::testing::Test {
public:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = General::Datos{};
        General_dibujo::Dibujo = General_dibujo::Datos{};
        Caracteristicas::Iniciar_Datos();
        Caracteristicas::Poner_Defectos_Confina();
        Grafico::Poner_Formateador([](double v, int decimales) {
            return platform::formatNumber(v, decimales <= 0 ? QString("0")
                                                            : "0." + QString(decimales, '0'))
                .toStdString();
        });
    }
    void TearDown() override {
        w.reset();
        Grafico::Poner_Formateador({});
        QLocale::setDefault(QLocale::c());
    }

    // Opens the window on the case data as they stand.
    FM_CONFINA& Abrir() {
        w = std::make_unique<FM_CONFINA>(frame);
        w->Form_Load();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->Form_Activate();
        platform::settle();
        return *w;
    }

    // A stored section, as a file read leaves it, then the window.
    FM_CONFINA& Abrir_Seccion(int tipo, double d, double l) {
        auto& c = General::Caso;
        c.Tipo_Seccion = static_cast<int16_t>(tipo);
        c.Diametro_Lado = d;
        c.Lado_Menor = l;
        return Abrir();
    }

    // Types a text into a field and leaves it the way the user does.
    void Escribir(windows::confina::Campo c, const QString& texto) {
        QWidget* ctl = w->Control(c);
        if (auto* l = qobject_cast<QLineEdit*>(ctl)) l->setText(texto);
        if (auto* cb = qobject_cast<platform::Combo*>(ctl)) cb->setText(texto);
        platform::leaveField(ctl);
    }

    // Presses Calcular as the user does: the field with the focus is left first.
    void Calcular() {
        mensajes.fake.clear();
        QTest::mouseClick(w->CM_CALCULAR, Qt::LeftButton);
        platform::settle();
    }

    std::string Ultimo_Mensaje() const {
        return mensajes.fake.shown.empty() ? std::string() : mensajes.fake.shown.back().text;
    }

    platform::ScopedFakeMessages mensajes;
    platform::ScopedFakeFileDialogs dialogos;
    FrameConfinaFalso frame;
    std::unique_ptr<FM_CONFINA> w;
};
