// The program itself (Programa::Ejecutar), driven as a user would drive it,
// for the tests that end it from outside (vida_test.cpp). Set by the
// environment:
//   KESTRAM_CONDUCTOR_CASO      "flexion": opens a flexure case and types in
//                               a field (an unsaved case); otherwise nothing.
//   KESTRAM_CONDUCTOR_RESPUESTAS  answers, in order, to the boxes and
//                               dialogs that show: "si", "no", "cancelar",
//                               or a file name for a file dialog.
//   KESTRAM_CONDUCTOR_GRABAR    after typing, saves the case to this file.
//   KESTRAM_CONDUCTOR_LENTO     each write of that save waits this many ms.
// It prints, one line each: "PREGUNTA <text>" for a box, "DIALOGO" for a
// file dialog, "GRABANDO" as the held save writes, and once ready
// "LISTO <window kind or -> <Modificado> <Nombre_Fichero>".
#include "app/MDI_PRINCIPAL.h"
#include "app/Programa.h"
#include "app/fichero/fichero_disk.h"
#include "engine/General.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Entorno(const char* nombre) {
    const char* v = std::getenv(nombre);
    return v ? v : "";
}

void Decir(const std::string& linea) {
    std::printf("%s\n", linea.c_str());
    std::fflush(stdout);
}

std::vector<std::string> Respuestas() {
    std::vector<std::string> r;
    std::string resto = Entorno("KESTRAM_CONDUCTOR_RESPUESTAS");
    while (!resto.empty()) {
        const std::size_t coma = resto.find(',');
        r.push_back(resto.substr(0, coma));
        resto = coma == std::string::npos ? "" : resto.substr(coma + 1);
    }
    return r;
}

// A save whose writes wait, on the real disk.
class Disco_Lento : public fichero::FileSystem {
public:
    explicit Disco_Lento(int ms) : ms_(ms) {}
    std::unique_ptr<fichero::OutputFile> create(const std::string& t, fichero::Outcome& f) override {
        auto real = fichero::realFileSystem().create(t, f);
        if (!real) return nullptr;
        return std::make_unique<Lento>(std::move(real), ms_);
    }
    fichero::Outcome read(const std::string& p, std::string& c) override {
        return fichero::realFileSystem().read(p, c);
    }
    std::optional<fichero::FileIdentity> identity(const std::string& p) override {
        return fichero::realFileSystem().identity(p);
    }

private:
    struct Lento : fichero::OutputFile {
        Lento(std::unique_ptr<fichero::OutputFile> r, int ms) : real(std::move(r)), ms(ms) {}
        fichero::Outcome write(std::string_view b) override {
            Decir("GRABANDO");
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            return real->write(b);
        }
        fichero::Outcome commit() override { return real->commit(); }
        std::unique_ptr<fichero::OutputFile> real;
        int ms;
    };
    int ms_;
};

// Answers whatever modal box or dialog is on show, in turn.
void Responder(std::vector<std::string>& respuestas) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->property("respondido").toBool()) return;
    if (auto* caja = qobject_cast<QMessageBox*>(modal)) {
        modal->setProperty("respondido", true);
        Decir("PREGUNTA " + caja->text().toStdString());
        const std::string r = respuestas.empty() ? "" : respuestas.front();
        if (!respuestas.empty()) respuestas.erase(respuestas.begin());
        for (QAbstractButton* b : caja->buttons()) {
            const auto rol = caja->buttonRole(b);
            if ((r == "si" && rol == QMessageBox::YesRole) ||
                (r == "no" && rol == QMessageBox::NoRole) ||
                (r.empty() && rol == QMessageBox::AcceptRole)) {
                QTimer::singleShot(0, b, &QAbstractButton::click);
                return;
            }
        }
    } else if (auto* dialogo = qobject_cast<QFileDialog*>(modal)) {
        modal->setProperty("respondido", true);
        Decir("DIALOGO");
        const std::string r = respuestas.empty() ? "cancelar" : respuestas.front();
        if (!respuestas.empty()) respuestas.erase(respuestas.begin());
        if (r == "cancelar") {
            QTimer::singleShot(0, dialogo, &QDialog::reject);
        } else {
            // Once the dialog has put its own proposal in the name field.
            QTimer::singleShot(0, dialogo, [dialogo, r] {
                // As a user types it: the folder, then the name in its field.
                const QFileInfo elegido(QString::fromStdString(r));
                dialogo->setDirectory(elegido.absolutePath());
                if (auto* nombre = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    nombre->setText(elegido.fileName());
                static_cast<QDialog*>(dialogo)->accept();
            });
        }
    }
}

// The user's part: the case typed, the ready line, the save.
void Empezar(MDI_PRINCIPAL& principal) {
    if (Entorno("KESTRAM_CONDUCTOR_CASO") == "flexion") {
        principal.mnuCalcularFlexion_Click();
        auto* campo = principal.Ventana()->findChild<QLineEdit*>(QStringLiteral("TX_ANCHO"));
        campo->setFocus();
        campo->selectAll();
        QTest::keyClicks(campo, QStringLiteral("0,55"));
    }
    const auto& c = General::Caso;
    const int kind = principal.Ventana() ? static_cast<int>(principal.Ventana()->kind()) : -1;
    Decir("LISTO " + (kind < 0 ? std::string("-") : std::to_string(kind)) + " " +
          std::to_string(c.Modificado) + " " + c.Nombre_Fichero);
    const std::string destino = Entorno("KESTRAM_CONDUCTOR_GRABAR");
    if (!destino.empty()) {
        General::Caso.Nombre_Fichero = destino;
        General::Caso.Sin_Nombre = false;
        principal.mnuPrincipalGuardar_Click();
        Decir("GRABADO");
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> respuestas = Respuestas();
    const int lento = std::atoi(Entorno("KESTRAM_CONDUCTOR_LENTO").c_str());
    Disco_Lento disco(lento);
    std::unique_ptr<fichero::ScopedFileSystem> seam;
    if (lento > 0) seam = std::make_unique<fichero::ScopedFileSystem>(disco);

    return Programa::Ejecutar(argc, argv, [&](MDI_PRINCIPAL& principal) {
        auto* respondedor = new QTimer(&principal);
        QObject::connect(respondedor, &QTimer::timeout, [&respuestas] { Responder(respuestas); });
        respondedor->start(20);
        // Once the start's own steps are over (the offer of a recovered
        // case answered, and what its answer opened): no box on show, and
        // not inside a box's own loop, where this timer may fire just after
        // the box was answered and before the step goes on.
        auto* listo = new QTimer(&principal);
        QObject::connect(listo, &QTimer::timeout, &principal, [&principal, listo] {
            if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1)
                return;
            listo->stop();
            Empezar(principal);
        });
        listo->start(50);
    });
}
