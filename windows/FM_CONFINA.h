// FM_CONFINA: strengthening of a column by confinement. The rules of its
// input fields are data (ReglasConfina.h); the section-type list runs its own
// logic on every selection and key.
#pragma once

#include "windows/DesignWindow.h"
#include "windows/ReglasConfina.h"

#include "app/fichero/fichero.h"
#include "platform/FieldLeave.h"

#include <map>

class QLabel;
class QLineEdit;
class QGroupBox;
class QPushButton;
class PictureArea;

namespace platform {
class Combo;
class Grid;
class NoticeLabel;
class ReadOnlyBox;
}  // namespace platform

class FM_CONFINA : public windows::DesignWindow {
    Q_OBJECT
public:
    explicit FM_CONFINA(windows::FrameHooks& hooks, QWidget* parent = nullptr);

    windows::DesignKind kind() const override { return windows::DesignKind::Confina; }

    // DesignWindow
    void Form_Load() override;
    void Form_Activate() override;
    bool Form_Unload() override;
    bool Recoger_Datos() override;
    Imprimir::Foto Foto_Informe() const override;

    // The texts of the input fields and the section position, for the collector.
    fichero::Textos_Confina Textos() const;

    // Handlers.
    void CM_CALCULAR_Click();
    void CM_SECCION_Click();
    void CM_CONFINA_Click();
    void CM_GAMMA1_Click();
    void FG_CONFINA_Click();
    void FG_CONFINA_EnterCell();
    void CO_SECCION_Click();
    void CO_SECCION_KeyDown();
    void CO_SECCION_KeyUp();

    // The leave handler of every input field, by its rule.
    platform::LeaveResult Campo_LostFocus(windows::confina::Campo campo);

    // Grid and panel of the results.
    void Llenar_Tabla_Confina();
    void Mostrar_Resultados_Confina(int j, int n);

    QWidget* Control(windows::confina::Campo campo) const;
    QString Texto(windows::confina::Campo campo) const;

    // Controls, by their names.
    QGroupBox* FR_DATOS = nullptr;
    platform::Combo* CO_SECCION = nullptr;
    QLineEdit* TX_DIAM = nullptr;
    QLabel* LB_LM = nullptr;
    QLineEdit* TX_LADOMENOR = nullptr;
    QLabel* LB_LMU = nullptr;
    QPushButton* CM_GAMMA1 = nullptr;
    platform::Combo* CO_FCK = nullptr;
    QLineEdit* TX_NCP = nullptr;
    QLineEdit* TX_INCR = nullptr;

    QGroupBox* FR_VALORES = nullptr;
    platform::ReadOnlyBox* TX_NU = nullptr;
    platform::ReadOnlyBox* TX_ALFAN = nullptr;

    PictureArea* PIC_CONFINA = nullptr;
    platform::NoticeLabel* LB_INFO = nullptr;

    QPushButton* CM_SECCION = nullptr;
    QPushButton* CM_CONFINA = nullptr;
    QPushButton* CM_CALCULAR = nullptr;

    QGroupBox* FR_TABLA = nullptr;
    platform::Grid* FG_CONFINA = nullptr;

    QGroupBox* FR_RESULTADOS = nullptr;
    QLabel* LB_TIPO = nullptr;
    platform::ReadOnlyBox* TX_WC = nullptr;
    platform::ReadOnlyBox* TX_WR = nullptr;
    platform::ReadOnlyBox* TX_WWD = nullptr;
    platform::ReadOnlyBox* TX_EPS0 = nullptr;
    platform::ReadOnlyBox* TX_EPSR = nullptr;
    platform::ReadOnlyBox* TX_SIGMAR = nullptr;
    platform::ReadOnlyBox* TX_TENSCONF = nullptr;
    platform::ReadOnlyBox* TX_RESU = nullptr;

    QLabel* IM_LOGO = nullptr;  // hidden; the printed report takes its picture

    platform::FieldGuard* Guardia() const { return guardia_; }

private:
    void Crear_Datos();
    void Crear_Valores();
    void Crear_Botones();
    void Crear_Resultados();
    void Poner_Texto(windows::confina::Campo campo, const QString& texto);
    void Dar_Foco(QWidget* campo);
    void Llenar_Lista_Fck();
    void Entradas_Marco(bool activas);
    void Controles_Lado_Menor(bool activos);
    void Mostrar_Coef_Forma();
    // Steps 1 to 5 of the section-type logic; the selection also disables
    // CM_CONFINA, a key does not.
    void Logica_Seccion(bool desactivar_resultado);
    // Refuses a calculation: message, grid hidden, results stale.
    void Rechazar_Calculo(const char* mensaje);

    platform::FieldGuard* guardia_ = nullptr;
    std::map<windows::confina::Campo, QWidget*> controles_;
    bool tabla_llena_ = false;  // the grid holds a calculation of this window
};
