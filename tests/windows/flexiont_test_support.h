// Fixture of the T-section window tests: the flexure fixture (fresh default
// case, Spanish locale, fake messages and dialogs) with an FM_FLEXIONT open.
#pragma once

#include "flexion_test_support.h"

#include "windows/FM_FLEXIONT.h"

class FlexionT : public Flexion {
public:
    void TearDown() override {
        t.reset();
        Flexion::TearDown();
    }

    // Opens the T window on the case data as they stand.
    FM_FLEXIONT& Abrir() {
        t = std::make_unique<FM_FLEXIONT>(frame);
        t->Form_Load();
        t->show();
        t->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(t.get()));
        t->Form_Activate();
        return *t;
    }

    QString Texto(windows::flexion::Campo c) const { return t->Texto(c); }

    void Escribir(windows::flexion::Campo c, const QString& texto) {
        QWidget* ctl = t->Control(c);
        if (auto* l = qobject_cast<QLineEdit*>(ctl)) l->setText(texto);
        if (auto* cb = qobject_cast<platform::Combo*>(ctl)) cb->setText(texto);
        platform::leaveField(ctl);
    }

    void Calcular() {
        mensajes.fake.clear();
        QTest::mouseClick(t->CM_CALCULAR, Qt::LeftButton);
        platform::settle();
    }

    std::unique_ptr<FM_FLEXIONT> t;
};
