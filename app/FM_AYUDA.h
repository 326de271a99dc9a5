// The program's help viewer: the help file shown at a topic, with a button
// back to the table of topics. One window, reused, not modal.
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

class FM_AYUDA : public QWidget {
    Q_OBJECT

public:
    // A dialog window of the frame, kept in front of it; "Cerrar" or Esc
    // closes it and it deletes itself.
    explicit FM_AYUDA(QWidget* marco = nullptr);

    // Loads the file when it is another, goes to the topic's anchor ("tema32";
    // the table of topics for 0) and brings the window to the front.
    void Mostrar_Tema(const QString& fichero, int tema);

    // The anchor on show ("temas", "tema31", ...).
    QString Ancla() const;

    static QString Ancla_Tema(int tema);

    QTextBrowser* TX_AYUDA = nullptr;
    QPushButton* CM_TEMAS = nullptr;
    QPushButton* CM_ATRAS = nullptr;
    QPushButton* CM_CERRAR = nullptr;

private:
    void Centrar();
};
