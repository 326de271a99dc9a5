// Every label of both flexure windows shows whole, beside its field, at the
// window's fixed size, also inside the frame's child window whose title
// font is bold.
#include "flexiont_test_support.h"

#include <QGroupBox>
#include <QLabel>

namespace {

void Comprobar_Etiquetas(windows::Ventana_Flexion& f) {
    QWidget marco;  // stands for the frame's child window
    QFont negrita = marco.font();
    negrita.setPointSizeF(8);
    negrita.setBold(true);
    marco.setFont(negrita);
    f.setParent(&marco);

    EXPECT_EQ(f.size(), QSize(platform::twips(11775), platform::twips(7815)));
    EXPECT_FALSE(f.FR_DATOS->font().bold());
    int vistas = 0;
    for (const QLabel* l : f.findChildren<QLabel*>()) {
        if (l == f.IM_LOGO || l == f.LB_TIPO || l->text().isEmpty()) continue;
        ++vistas;
        const std::string texto = l->text().toStdString();
        EXPECT_LE(l->sizeHint().width(), l->width()) << texto;
        EXPECT_TRUE(l->parentWidget()->rect().contains(l->geometry())) << texto;
        for (const QWidget* otro : l->parentWidget()->findChildren<QWidget*>(
                 Qt::FindDirectChildrenOnly))
            if (otro != l && !qobject_cast<const QLabel*>(otro)) {
                EXPECT_FALSE(l->geometry().intersects(otro->geometry()))
                    << texto << " / " << otro->objectName().toStdString();
            }
    }
    EXPECT_GT(vistas, 0);  // the loop above checked labels
    f.setParent(nullptr);
}

}  // namespace

TEST_F(Flexion, LabelsShowWholeBesideTheirFields) {
    Comprobar_Etiquetas(Abrir());
}

TEST_F(FlexionT, LabelsShowWholeBesideTheirFields) {
    Comprobar_Etiquetas(Abrir());
}
