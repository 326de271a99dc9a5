#include "app/FM_AYUDA.h"

#include "platform/Screen.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// A dialog window: a window manager keeps it in front of its frame.
FM_AYUDA::FM_AYUDA(QWidget* marco) : QWidget(marco, Qt::Dialog) {
    setObjectName(QStringLiteral("FM_AYUDA"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ayuda de KESTRAM - VORLANT®"));
    resize(600, 460);

    TX_AYUDA = new QTextBrowser(this);
    TX_AYUDA->setObjectName(QStringLiteral("TX_AYUDA"));
    TX_AYUDA->setOpenLinks(true);
    TX_AYUDA->setOpenExternalLinks(false);

    auto boton = [this](const char* nombre, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        return b;
    };
    CM_TEMAS = boton("CM_TEMAS", QStringLiteral("Temas de ayuda"));
    CM_ATRAS = boton("CM_ATRAS", QStringLiteral("Atrás"));
    CM_CERRAR = boton("CM_CERRAR", QStringLiteral("Cerrar"));
    CM_ATRAS->setEnabled(false);

    auto* botones = new QHBoxLayout;
    botones->addWidget(CM_TEMAS);
    botones->addWidget(CM_ATRAS);
    botones->addStretch();
    botones->addWidget(CM_CERRAR);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 6, 6, 6);
    todo->addLayout(botones);
    todo->addWidget(TX_AYUDA);

    connect(CM_TEMAS, &QPushButton::clicked, this, [this] {
        QUrl u = TX_AYUDA->source();
        u.setFragment(Ancla_Tema(0));
        TX_AYUDA->setSource(u);
    });
    connect(CM_ATRAS, &QPushButton::clicked, TX_AYUDA, &QTextBrowser::backward);
    connect(TX_AYUDA, &QTextBrowser::backwardAvailable, CM_ATRAS, &QPushButton::setEnabled);
    connect(CM_CERRAR, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes it wherever its focus is.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

QString FM_AYUDA::Ancla_Tema(int tema) {
    return tema > 0 ? QStringLiteral("tema%1").arg(tema) : QStringLiteral("temas");
}

void FM_AYUDA::Mostrar_Tema(const QString& fichero, int tema) {
    QUrl u = QUrl::fromLocalFile(fichero);
    u.setFragment(Ancla_Tema(tema));
    TX_AYUDA->setSource(u);
    if (isMinimized()) showNormal();
    if (!isVisible()) Centrar();
    show();
    raise();
    activateWindow();
}

// Over the middle of the main window, kept on its screen.
void FM_AYUDA::Centrar() {
    if (QWidget* marco = parentWidget()) platform::centerOnWindow(*this, *marco);
}

QString FM_AYUDA::Ancla() const { return TX_AYUDA->source().fragment(); }
