// The flexure design window, shared by the rectangular section (FM_FLEXION,
// tipo 1) and the T section (tipo 2, two more fields). The rules of every
// input field are data (ReglasFlexion.h); this class applies them to its
// controls, runs the calculate command and shows the results.
#pragma once

#include "windows/DesignWindow.h"
#include "windows/ReglasFlexion.h"

#include "app/fichero/fichero.h"
#include "drawing/Grafico.h"
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

namespace windows {

class Ventana_Flexion : public DesignWindow {
    Q_OBJECT
public:
    // kind: Flexion (rectangular section) or FlexionT (T section); the
    // drawings go to that window's picture area.
    Ventana_Flexion(DesignKind kind, FrameHooks& hooks, QWidget* parent = nullptr);

    DesignKind kind() const override { return kind_; }
    // The section kind of the engine and the data files: 1 rectangular, 2 T.
    int Tipo() const { return kind_ == DesignKind::FlexionT ? 2 : 1; }

    // DesignWindow
    void Form_Load() override;
    void Form_Activate() override;
    bool Form_Unload() override;
    bool Recoger_Datos() override;
    Imprimir::Foto Foto_Informe() const override;

    // Writes the stored inputs into the fields and fills the three lists
    // (the load step; also after a file was read into the case data).
    void Mostrar_Datos();

    // The texts the input fields show, for the collector.
    fichero::Textos_Flexion Textos() const;

    // Handlers.
    void CM_CALCULAR_Click();
    void CM_SECCION_Click();
    void CM_ANCLAJE_Click();
    void CM_ARMADURA_Click();
    void CM_DEFORMACIONES_Click();
    void CM_CAPAS_Click();
    void CM_GAMMA1_Click();
    void CM_GAMMA2_Click();
    void FG_FLEXION_Click();
    void FG_FLEXION_EnterCell();

    // The leave handler of every input field, by its rule.
    platform::LeaveResult Campo_LostFocus(flexion::Campo campo);

    // Grid and panel of the results (Llenar_Tabla_Rect / _T and
    // Mostrar_Resultados_Rect / _T).
    void Llenar_Tabla();
    void Mostrar_Resultados(int j, int n);

    // The control of a field (nullptr when the window has none).
    QWidget* Control(flexion::Campo campo) const;
    QString Texto(flexion::Campo campo) const;

    // Controls, by their names.
    QGroupBox* FR_DATOS = nullptr;
    QLineEdit* TX_ANCHO = nullptr;
    QLineEdit* TX_ANCHOALMA = nullptr;  // T only
    QLineEdit* TX_CANTO = nullptr;
    QLineEdit* TX_CANTOALA = nullptr;  // T only
    QLineEdit* TX_RECUB = nullptr;
    QLineEdit* TX_ASI = nullptr;
    QLineEdit* TX_ASS = nullptr;
    platform::Combo* CO_FCK = nullptr;
    platform::Combo* CO_FYK = nullptr;
    platform::Combo* CO_ANCHOR = nullptr;
    QLineEdit* TX_MCP = nullptr;
    QLineEdit* TX_MD = nullptr;
    QPushButton* CM_GAMMA1 = nullptr;
    QPushButton* CM_GAMMA2 = nullptr;

    PictureArea* PIC_FLEXION = nullptr;
    platform::NoticeLabel* LB_INFO = nullptr;

    QPushButton* CM_SECCION = nullptr;
    QPushButton* CM_ANCLAJE = nullptr;
    QPushButton* CM_ARMADURA = nullptr;
    QPushButton* CM_DEFORMACIONES = nullptr;
    QPushButton* CM_CAPAS = nullptr;
    QPushButton* CM_CALCULAR = nullptr;

    QGroupBox* FR_TABLA = nullptr;
    platform::Grid* FG_FLEXION = nullptr;

    QGroupBox* FR_RESULTADOS = nullptr;
    QLabel* LB_TIPO = nullptr;
    platform::ReadOnlyBox* TX_MUSR = nullptr;
    platform::ReadOnlyBox* TX_EPS0 = nullptr;
    platform::ReadOnlyBox* TX_MRB = nullptr;
    platform::ReadOnlyBox* TX_MLIMCR = nullptr;
    platform::ReadOnlyBox* TX_PIVOTE = nullptr;
    platform::ReadOnlyBox* TX_FN = nullptr;
    platform::ReadOnlyBox* TX_EPSC = nullptr;
    platform::ReadOnlyBox* TX_EPSSI = nullptr;
    platform::ReadOnlyBox* TX_EPSSS = nullptr;
    platform::ReadOnlyBox* TX_EPSR = nullptr;
    platform::ReadOnlyBox* TX_MU = nullptr;

    QLabel* IM_LOGO = nullptr;  // hidden; the printed report takes its picture

    platform::FieldGuard* Guardia() const { return guardia_; }

protected:
    // What differs between the rectangular and the T window.
    virtual void Dibujar_Seccion() = 0;
    virtual void Dibujar_Capas() = 0;
    virtual void Recoger(const fichero::Textos_Flexion& textos) = 0;
    // Strain diagram of the case on show, and the ultimate moment against
    // sheet area.
    virtual void Dibujar_Deformaciones() = 0;
    virtual void Dibujar_Armadura() = 0;

private:
    void Crear_Controles();
    void Crear_Datos();
    void Crear_Botones();
    void Crear_Resultados();
    void Poner_Texto(flexion::Campo campo, const QString& texto);
    void Reescribir_Lista_Anchos();
    bool& Abierto() { return Bandera_Abierto(kind()); }
    void Botones_Resultados(bool activos);
    void Entradas_Marco(bool activas);
    void Seleccion_Celda();

    DesignKind kind_;
    platform::FieldGuard* guardia_ = nullptr;
    std::map<flexion::Campo, QWidget*> controles_;
    bool tabla_llena_ = false;  // the grid holds a calculation of this window
};

}  // namespace windows
