#include "reports/Imprimir.h"

#include "engine/General.h"

namespace Imprimir {

Resultado Imprimir_Caracteristicas(Superficie& s, const Foto_Carac& foto, const Numeros& num) {
    const auto& c = General::Caso;
    Impresora imp(s);
    Pagina pagina{"CARACTERISTICAS MECANICAS DEL REFUERZO", foto.IM_LOGO};
    if (!Preparar_Pagina(imp, pagina)) return {Estado::Fallo, s.Error()};

    auto f = [&](double v, int d, const char* u) { return num.Formatear(v, d) + u; };
    const double xl = Margen;
    const double xv = Margen + Columna_Valor;

    Encabezado(imp, xl, Fila_Encabezado, "DATOS GENERALES");
    imp.CurrentX = xl;
    imp.CurrentY = Fila_Datos;
    imp.Print("Tipo de refuerzo:");
    const char* nombre = foto.OP_V20   ? "VORLANT 20"
                         : foto.OP_V30 ? "VORLANT 30"
                         : foto.OP_VMM ? "VORLANT MM"
                                       : nullptr;
    if (nombre) {
        imp.CurrentX = xv;
        imp.CurrentY = Fila_Datos;
        imp.Print(nombre);
    } else {
        imp.CurrentY = Fila_Datos + imp.TextHeight("Tipo de refuerzo:");
    }
    Linea_Datos(imp, xl, xv, "Espesor:", f(c.Espesor_Refuerzo, 3, " mm"));
    Linea_Datos(imp, xl, xv, "M\u00F3dulo de Young:", f(c.Modulo_Refuerzo, 0, " N/mm\u00B2"));
    Linea_Datos(imp, xl, xv, "Deformaci\u00F3n \u00FAltima:",
                f(c.Def_Ultima_Refuerzo * 1000, 2, "\u2030"));
    const double yL = imp.CurrentY;
    Linea_Datos(imp, xl, xv, "Coef. seg. VORLANT\u00AE:", f(c.Gamma_Refuerzo, 2, ""));

    Encabezado(imp, xl, yL + 1.5, "DEFORMACION DE CALCULO");
    const double yT = yL + 1.5 + 1.0;
    const int capas = c.Num_Capas_Max > 0 ? c.Num_Capas_Max : 0;
    const double fila = 0.8;
    const double columna = 3.5;
    Dibujar_Rejilla(imp, xl, yT, capas + 1, 4, fila, columna);

    auto celda = [&](int k, int n, const std::string& texto) {
        const double tw = imp.TextWidth(texto);
        const double th = imp.TextHeight(texto);
        imp.CurrentX = xl + columna * (k - 1) + (columna - tw) / 2;
        imp.CurrentY = yT + fila * n + (fila - th) / 2;
        imp.Print(texto);
    };
    static const char* const cabeceras[] = {"N\u00FAm. de capas", "Km",
                                            "Def. c\u00E1lculo (\u2030)",
                                            "Tensi\u00F3n (N/mm\u00B2)"};
    for (int k = 1; k <= 4; ++k) {
        imp.Font.Negrita = true;
        celda(k, 0, cabeceras[k - 1]);
        imp.Font.Negrita = false;
    }
    for (int n = 1; n <= capas; ++n) {
        // A variant set up without its tables prints empty cells.
        const std::optional<double> km = c.Km.Leer(n);
        const std::optional<double> def = c.Def_Calculo_Refuerzo.Leer(n);
        celda(1, n, std::to_string(n));
        celda(2, n, km ? num.Formatear(*km, 3) : std::string());
        celda(3, n, def ? num.Formatear(*def * 1000, 2) : std::string());
        celda(4, n, def ? num.Formatear(c.Modulo_Refuerzo * *def, 1) : std::string());
    }

    Imprimir_Elementos(imp, General_dibujo::Dibujo.Lista_Elementos, Margen, Margen,
                       Margen + 12, Margen, 0);
    if (!imp.EndDoc()) return {Estado::Fallo, s.Error()};
    return {};
}

}  // namespace Imprimir
