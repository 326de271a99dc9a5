// FM_COEF: the three safety coefficients of the materials, read and changed
// in a modal dialog. Each field is tested when it is left; only "Aceptar"
// writes the coefficients, and only from accepted texts.
#pragma once

#include "platform/FieldLeave.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

class FM_COEF : public QDialog {
    Q_OBJECT
public:
    explicit FM_COEF(QWidget* parent = nullptr);
    ~FM_COEF() override;

    void Form_Load();

    platform::LeaveResult TX_GC_LostFocus();
    platform::LeaveResult TX_GS_LostFocus();
    platform::LeaveResult TX_GR_LostFocus();

    void CM_ACEPTAR_Click();
    void CM_CANCELAR_Click();
    void CM_RESTAURAR_Click();

    QLineEdit* TX_GC = nullptr;
    QLineEdit* TX_GS = nullptr;
    QLineEdit* TX_GR = nullptr;
    QPushButton* CM_ACEPTAR = nullptr;
    QPushButton* CM_CANCELAR = nullptr;
    QPushButton* CM_RESTAURAR = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::LeaveResult Campo_LostFocus(int i);
    // The text of field i is one the dialog may store.
    bool Aceptable(int i) const;

    std::array<QLineEdit*, 3> campos_{};
    // Per field: the last text accepted, shown by the load or by Restablecer.
    std::array<QString, 3> aceptado_;
    platform::FieldGuard* guardia_ = nullptr;
    QWidget* antes_de_cancelar_ = nullptr;  // what held the focus before Cancelar
    QMetaObject::Connection foco_;
};
