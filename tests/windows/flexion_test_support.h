// Fixture of the flexure window tests: a fresh default case, the Spanish
// locale, fake messages and file dialogs, and an active FM_FLEXION.
#pragma once

#include "windows/FM_FLEXION.h"

#include "drawing/General_dibujo.h"
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

struct FrameFalso : windows::FrameHooks {
    std::map<windows::FrameEntry, bool> entradas;
    void setEntryEnabled(windows::FrameEntry e, bool on) override { entradas[e] = on; }
    bool Todas(bool on) const {
        if (entradas.size() != 5) return false;
        for (const auto& [e, v] : entradas)
            if (v != on) return false;
        return true;
    }
};

class Flexion : public ::testing::Test {
public:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = General::Datos{};
        General_dibujo::Dibujo = General_dibujo::Datos{};
        Caracteristicas::Iniciar_Datos();
        // Diagram labels in the user's locale, as the program sets them.
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
    FM_FLEXION& Abrir() {
        w = std::make_unique<FM_FLEXION>(frame);
        w->Form_Load();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->Form_Activate();
        return *w;
    }

    QString Texto(windows::flexion::Campo c) const { return w->Texto(c); }

    // Types a text into a field and leaves it the way the user does.
    void Escribir(windows::flexion::Campo c, const QString& texto) {
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
    FrameFalso frame;
    std::unique_ptr<FM_FLEXION> w;
};
