#include "reports/Imprimir.h"

#include "engine/Decimales.h"

#include <charconv>

namespace Imprimir {

bool Preparar_Pagina(Impresora& imp, Pagina& pagina) {
    imp.DocName(pagina.Titulo);
    if (!imp.Iniciar()) return false;
    imp.Font = Fuente{"arial", 10, false};
    pagina.PW = imp.ScaleWidth();
    pagina.PH = imp.ScaleHeight();
    Dibujar_Marco(imp, pagina);
    return true;
}

void Dibujar_Marco(Impresora& imp, const Pagina& p) {
    imp.Font = Fuente{"arial", 10, false};
    imp.DrawStyle = 0;
    imp.DrawWidth = 1;
    // A drawing may have left the colour of its last caption in force.
    imp.ForeColor = 0;
    const double lh = imp.TextHeight("Ag");

    imp.CurrentX = Margen;
    imp.CurrentY = Margen;
    imp.Print(p.Titulo);

    const double lx = p.PW - Margen - 2.0;
    const double ly = Margen + lh - 1.0;
    imp.CurrentX = lx;
    imp.CurrentY = ly;
    imp.PaintPicture(p.Logo, lx, ly, 2.0, 1.0);

    const double yr = Margen + lh + 0.15;
    imp.Line(Margen, yr, p.PW - Margen, yr);

    const std::string pagina = "P\u00E1gina " + std::to_string(imp.Page);
    imp.CurrentX = Margen;
    imp.CurrentY = p.PH - lh - Margen;
    imp.Print(Texto_Pie);

    const double yp = p.PH - Margen - lh - 0.15;
    imp.Line(Margen, yp, p.PW - Margen, yp);

    imp.CurrentX = p.PW - imp.TextWidth(pagina) - Margen;
    imp.CurrentY = p.PH - lh - Margen;
    imp.Print(pagina);
}

void Encabezado(Impresora& imp, double x, double y, const std::string& texto) {
    imp.Font.Negrita = true;
    imp.CurrentX = x;
    imp.CurrentY = y;
    imp.Print(texto);
    imp.Font.Negrita = false;
}

void Linea_Datos(Impresora& imp, double x, double xv, const std::string& etiqueta,
                 const std::string& valor) {
    const double y = imp.CurrentY;
    imp.CurrentX = x;
    imp.CurrentY = y;
    imp.Print(etiqueta);
    imp.CurrentX = xv;
    imp.CurrentY = y;
    imp.Print(valor);
}

void Linea_Subindice(Impresora& imp, double x, double xv, const std::string& letra,
                     const std::string& subindice, const std::string& valor) {
    const double y = imp.CurrentY;
    imp.CurrentX = x;
    imp.CurrentY = y;
    imp.Print(letra);
    imp.CurrentX = x + imp.TextWidth(letra);
    imp.CurrentY = y + Caida_Subindice;
    imp.Print(subindice);
    imp.CurrentX = x + imp.TextWidth(letra + subindice);
    imp.CurrentY = y;
    imp.Print(":");
    imp.CurrentX = xv;
    imp.CurrentY = y;
    imp.Print(valor);
}

Numeros Numeros_Con_Separador(const std::string& separador) {
    Numeros n;
    n.Formatear = [separador](double v, int d) {
        return Decimales::Texto_Decimales(v, d, separador);
    };
    n.Leer = [separador](const std::string& texto) -> std::optional<double> {
        std::string t = Decimales::Recortar(texto);
        if (!separador.empty() && separador != ".") {
            const auto pos = t.find(separador);
            if (pos != std::string::npos)
                t = t.substr(0, pos) + '.' + t.substr(pos + separador.size());
        }
        if (!t.empty() && t[0] == '+') t = t.substr(1);
        double v = 0;
        const char* fin = t.data() + t.size();
        auto [p, ec] = std::from_chars(t.data(), fin, v);
        if (t.empty() || ec != std::errc() || p != fin) return std::nullopt;
        return v;
    };
    return n;
}

std::string Valor_Mostrado(const Numeros& num, const std::string& caja, int decimales,
                           const std::string& unidad) {
    if (const std::optional<double> v = num.Leer(caja)) return num.Formatear(*v, decimales) + unidad;
    const std::string t = Decimales::Recortar(caja);
    return t.empty() ? t : t + unidad;
}

int Variante_Elegida(const Foto_Carac& foto) {
    if (foto.OP_V20) return 1;
    if (foto.OP_V30) return 2;
    if (foto.OP_VMM) return 3;
    return 1;
}

}  // namespace Imprimir
