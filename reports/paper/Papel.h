// The page surface on paper: a printer of the system or a PDF file, drawn
// in device pixels converted from centimetres. A PDF is written to a
// temporary file beside the target and replaces the target only once the
// document is on disk and complete; a failed or abandoned document leaves
// the target as it was. A printer's document is the same PDF, laid out on
// the printable area the printer reports for A4, written to a temporary
// file and sent to the printing system once complete; a report that does
// not fit in that area whole is not sent at all.
#pragma once

#include "reports/Imprimir.h"
#include "reports/Superficie.h"
#include "platform/Temporaries.h"

#include <QFont>
#include <QPainter>
#include <QPageLayout>
#include <QPdfWriter>
#include <QString>

#include <functional>
#include <memory>

class QTemporaryFile;

namespace platform {
class FileReplacement;
}

namespace Imprimir {

class Superficie_Papel : public Superficie {
public:
    // A PDF file at this path (A4, the whole sheet printable, 600 dpi, fonts
    // embedded).
    static std::unique_ptr<Superficie_Papel> Pdf(const QString& ruta);
    // The system printer of this device name (A4, its printable area).
    static std::unique_ptr<Superficie_Papel> Impresora_Sistema(const std::string& nombre);
    ~Superficie_Papel() override;

    void Poner_Titulo(const std::string& titulo) override;
    bool Iniciar() override;
    double Ancho_Pagina() const override { return ancho_; }
    double Alto_Pagina() const override { return alto_; }
    Medida Medir(const std::string& texto, const Fuente& f) const override;
    void Texto(double x, double y, const std::string& texto, const Fuente& f,
               uint32_t color) override;
    void Linea(double x1, double y1, double x2, double y2, const Pluma& p,
               uint32_t color) override;
    void Rectangulo(double x1, double y1, double x2, double y2, const Pluma& p,
                    uint32_t color) override;
    void Circulo(double cx, double cy, double r, const Pluma& p, uint32_t color) override;
    void Arco(double cx, double cy, double r, double a0, double a1, const Pluma& p,
              uint32_t color) override;
    void Dibujar_Imagen(double x, double y, double w, double h, const Imagen& imagen) override;
    void Caja_Dibujo(double x1, double y1, double x2, double y2) override;
    void Nueva_Pagina() override;
    bool Terminar() override;
    std::string Error() const override { return error_.toStdString(); }

private:
    Superficie_Papel();
    bool Abrir_Pdf();
    bool Abrir_Trabajo();
    double Px(double cm) const { return cm * dpi_ / 2.54; }
    QFont Fuente_Qt(const Fuente& f) const;
    void Poner_Pluma(const Pluma& p, uint32_t color);
    void Descartar();
    // Notes a part of the page that the document draws on.
    void Abarcar(double x1, double y1, double x2, double y2);
    // Whether everything drawn lies within the printable area.
    bool Cabe() const;
    // Keeps why the document failed, drops it; false.
    bool Fallar(const QString& motivo);

    QPaintDevice* Dispositivo() const { return pdf_.get(); }

    QPageLayout disposicion_;
    std::unique_ptr<QPdfWriter> pdf_;
    QString salida_;  // the file the writer fills
    QPainter painter_;
    QString destino_;  // PDF: the file to replace once complete
    std::string impresora_;  // printer: the one the job goes to
    std::string titulo_;
    std::unique_ptr<QTemporaryFile> trabajo_;  // printer: the job's document
    platform::KeptTemporary trabajoGuardado_;  // the job's document, for an end by a signal
    std::unique_ptr<platform::FileReplacement> temporal_;
    double dpi_ = 600;
    double ancho_ = 21.0;
    double alto_ = 29.7;
    bool iniciada_ = false;
    QString error_;
    QString pagina_fallida_;  // why a page could not start
    // The extent of what the document drew, in page coordinates, and
    // whether a drawing was left without room.
    bool dibujado_ = false;
    double min_x_ = 0, min_y_ = 0, max_x_ = 0, max_y_ = 0;
    bool sin_sitio_ = false;
};

// Numbers as the windows write and read them (the user's locale, no
// grouping).
Numeros Numeros_Locale();

// Runs a report on the program's current printer. "Archivo PDF" writes the
// file ruta_pdf. Every failure, an exception of the report included, comes
// back as Fallo with its reason.
Resultado Imprimir_En(const std::string& impresora, const QString& ruta_pdf,
                      const std::function<Resultado(Superficie&)>& informe);

}  // namespace Imprimir
