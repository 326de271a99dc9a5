#include "reports/Imprimir.h"

#include "drawing/Grafico.h"
#include "engine/Decimales.h"
#include "engine/General.h"

namespace Imprimir {

Dibujos_Confina Dibujos_Grafico_Confina() {
    return {Grafico::Dibujar_Diagrama_Confina, Grafico::Dibujar_Seccion_Confina};
}

Resultado Imprimir_Confina(Superficie& s, const Foto_Confina& foto, const Numeros& num,
                           const Dibujos_Confina& dibujos) {
    const auto& c = General::Caso;
    const auto& lista = General_dibujo::Dibujo.Lista_Elementos;
    Impresora imp(s);
    Pagina pagina{"REFUERZO A CONFINAMIENTO", foto.IM_LOGO};
    if (!Preparar_Pagina(imp, pagina)) return {Estado::Fallo, s.Error()};

    auto f = [&](double v, int d, const char* u) { return num.Formatear(v, d) + u; };
    auto caja = [&](const std::string& texto, int d, const char* u) {
        return Valor_Mostrado(num, texto, d, u);
    };

    const double xl = Margen;
    const double xv = Margen + Columna_Valor;
    static const char* const tipos[] = {"CIRCULAR", "CUADRADA", "RECTANGULAR"};
    static const char* const lados[] = {"Di\u00E1metro:", "Lado:", "Lado mayor:"};
    const int k = foto.CO_SECCION >= 0 && foto.CO_SECCION <= 2 ? foto.CO_SECCION : -1;

    Encabezado(imp, xl, Fila_Encabezado, "DATOS GENERALES");
    imp.CurrentY = Fila_Datos;
    Linea_Datos(imp, xl, xv, "Tipo de secci\u00F3n:", k >= 0 ? tipos[k] : "");
    Linea_Datos(imp, xl, xv, k >= 0 ? lados[k] : "", f(c.Diametro_Lado, 3, " m"));
    if (c.Tipo_Seccion == 3) Linea_Datos(imp, xl, xv, "Lado menor:", f(c.Lado_Menor, 3, " m"));
    Linea_Subindice(imp, xl, xv, "f", "ck", f(c.Fck, 0, " N/mm\u00B2"));
    Linea_Datos(imp, xl, xv, "Axil actual:", f(c.Axil_Actual, 2, " kN"));
    Linea_Datos(imp, xl, xv, "Incr. de resistencia:", f(c.Incremento_Necesario, 2, ""));

    const double rl = Margen + Columna_Derecha;
    const double rv = rl + Columna_Valor;
    Encabezado(imp, rl, Fila_Encabezado, "DATOS AUXILIARES");
    imp.CurrentY = Fila_Datos;
    Linea_Datos(imp, rl, rv, "Coeficiente de Poisson:", f(c.Coef_Poisson, 2, ""));
    Linea_Datos(imp, rl, rv, "Coeficiente de forma:", f(c.Coef_Forma, 3, ""));
    Linea_Datos(imp, rl, rv, "Coef. seg. hormig\u00F3n:", f(c.Gamma_Hormigon, 2, ""));
    Linea_Datos(imp, rl, rv, "Coef. seg. acero:", f(c.Gamma_Acero, 2, ""));
    const double yA = imp.CurrentY;
    Linea_Datos(imp, rl, rv, "Coef. seg. VORLANT\u00AE:", f(c.Gamma_Refuerzo, 2, ""));

    Encabezado(imp, rl, yA + 1.5, "RESULTADOS DE LA SECCION");
    imp.CurrentX = rl;
    imp.CurrentY = yA + 2.5;
    imp.Print(Decimales::Recortar(foto.LB_TIPO));
    imp.CurrentY = yA + 3.5;
    Linea_Datos(imp, rl, rv, "Vol. hormig\u00F3n confinado:", caja(foto.TX_WC, 6, " m\u00B3/m"));
    Linea_Datos(imp, rl, rv, "Vol. de refuerzo:", caja(foto.TX_WR, 6, " m\u00B3/m"));
    Linea_Datos(imp, rl, rv, "Cuant\u00EDa volum\u00E9trica:", caja(foto.TX_WWD, 6, ""));
    Linea_Datos(imp, rl, rv, "Predeformaci\u00F3n inicial:", caja(foto.TX_EPS0, 2, "\u2030"));
    Linea_Datos(imp, rl, rv, "Def. refuerzo:", caja(foto.TX_EPSR, 2, "\u2030"));
    Linea_Datos(imp, rl, rv, "Tensi\u00F3n en refuerzo:", caja(foto.TX_SIGMAR, 1, " N/mm\u00B2"));
    Linea_Datos(imp, rl, rv, "Tensi\u00F3n de confinamiento:", caja(foto.TX_TENSCONF, 3, ""));
    Linea_Datos(imp, rl, rv, "Incremento de resistencia:", caja(foto.TX_RESU, 2, ""));

    if (dibujos.Diagrama) dibujos.Diagrama();
    Imprimir_Elementos(imp, lista, Margen, Margen, Margen + 12, Margen, 0);
    if (dibujos.Seccion) dibujos.Seccion();
    Imprimir_Elementos(imp, lista, Margen + 8.5, Margen, Margen + 5, Margen + 12, 1);

    if (!imp.EndDoc()) return {Estado::Fallo, s.Error()};
    return {};
}

}  // namespace Imprimir
