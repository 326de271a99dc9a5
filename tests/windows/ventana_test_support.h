// Shared base of the design-window fixtures: a fresh default case, the
// Spanish locale, diagram labels in that locale, fake messages and file
// dialogs, and a fake frame that records its menu entries.
#pragma once

#include "../common/lineas_fichero.h"
#include "../common/teclear.h"

#include "windows/DesignWindow.h"

#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Grid.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "tests/platform_fakes/Fakes.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

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

class VentanaPrueba : public ::testing::Test {
public:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = General::Datos{};
        General_dibujo::Dibujo = General_dibujo::Datos{};
        Caracteristicas::Iniciar_Datos();
        // Diagram labels in the user's locale, as the program sets them.
        Grafico::Poner_Formateador([](double v, int decimales) {
            return platform::formatNumber(v, decimales).toStdString();
        });
    }
    void TearDown() override {
        Grafico::Poner_Formateador({});
        QLocale::setDefault(QLocale::c());
    }

    // Loads, shows and activates a window the way the frame does.
    template <class W>
    W& Mostrar(W& v) {
        v.Form_Load();
        v.show();
        v.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&v));
        v.Form_Activate();
        return v;
    }

    // Types a text into a field and leaves it the way the user does.
    static void Escribir_En(QWidget* ctl, const QString& texto) { Teclear_Campo(ctl, texto); }

    // Clicks a button as the user does: the field with the focus is left
    // first; only the messages of the click are kept.
    void Pulsar(QPushButton* boton) {
        mensajes.fake.clear();
        QTest::mouseClick(boton, Qt::LeftButton);
        platform::settle();
    }

    // Answers Yes to the save question of the next close, and the file
    // dialog with this path (nullopt: cancelled).
    void Responder_Grabar(std::optional<std::string> ruta) {
        mensajes.fake.clear();
        mensajes.fake.answers.push_back(platform::Answer::Yes);
        dialogos.fake.answers.push_back(std::move(ruta));
    }

    std::string Ultimo_Mensaje() const {
        return mensajes.fake.shown.empty() ? std::string() : mensajes.fake.shown.back().text;
    }

    platform::ScopedFakeMessages mensajes;
    platform::ScopedFakeFileDialogs dialogos;
    FrameFalso frame;
};
