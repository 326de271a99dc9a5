#include "reports/Imprimir.h"

#include "drawing/Grafico.h"
#include "engine/Decimales.h"
#include "engine/General.h"

namespace Imprimir {

Dibujos_Flexion Dibujos_Grafico_Flexion(int tipo) {
    if (tipo == 2)
        return {Grafico::Dibujar_Deformaciones_T, Grafico::Dibujar_Seccion_T,
                Grafico::Dibujar_Mu_Armadura_T, Grafico::Dibujar_Mu_Capas_T};
    return {Grafico::Dibujar_Deformaciones_Rect, Grafico::Dibujar_Seccion_Rect,
            Grafico::Dibujar_Mu_Armadura_Rect, Grafico::Dibujar_Mu_Capas_Rect};
}

bool Rehusa_Flexion(const Foto_Flexion& foto) { return foto.TX_MU == "---"; }

Resultado Imprimir_Flexion(Superficie& s, const Foto_Flexion& foto, const Numeros& num,
                           const Dibujos_Flexion& dibujos) {
    if (Rehusa_Flexion(foto)) return {Estado::Rehusado, {}};
    const auto& c = General::Caso;
    const auto& lista = General_dibujo::Dibujo.Lista_Elementos;
    const bool t = foto.Tipo == 2;
    Impresora imp(s);
    Pagina pagina{t ? "REFUERZO A FLEXION EN SECCIONES EN T"
                    : "REFUERZO A FLEXION EN SECCIONES RECTANGULARES",
                  foto.IM_LOGO};
    if (!Preparar_Pagina(imp, pagina)) return {Estado::Fallo, s.Error()};

    const double xl = Margen;
    const double xv = Margen + Columna_Valor;
    auto f = [&](double v, int d, const char* u) { return num.Formatear(v, d) + u; };

    Encabezado(imp, xl, Fila_Encabezado, "DATOS GENERALES");
    imp.CurrentY = Fila_Datos;
    Linea_Datos(imp, xl, xv, "Ancho:", f(c.Ancho, 3, " m"));
    Linea_Datos(imp, xl, xv, "Canto:", f(c.Canto, 3, " m"));
    if (t) {
        Linea_Datos(imp, xl, xv, "Ancho del alma:", f(c.Ancho_Alma, 3, " m"));
        Linea_Datos(imp, xl, xv, "Canto del ala:", f(c.Canto_Ala, 3, " m"));
    }
    Linea_Datos(imp, xl, xv, "Recubrimiento:", f(c.Recubrimiento, 3, " m"));
    Linea_Datos(imp, xl, xv, "Armadura inferior:", f(c.Armadura_Inf, 2, " cm\u00B2"));
    Linea_Datos(imp, xl, xv, "Armadura superior:", f(c.Armadura_Sup, 2, " cm\u00B2"));
    Linea_Subindice(imp, xl, xv, "f", "ck", f(c.Fck, 0, " N/mm\u00B2"));
    Linea_Subindice(imp, xl, xv, "f", "yk", f(c.Fyk, 0, " N/mm\u00B2"));
    Linea_Datos(imp, xl, xv, "Coef. seg. hormig\u00F3n:", f(c.Gamma_Hormigon, 2, ""));
    Linea_Datos(imp, xl, xv, "Coef. seg. acero:", f(c.Gamma_Acero, 2, ""));
    Linea_Datos(imp, xl, xv, "Coef. seg. VORLANT\u00AE:", f(c.Gamma_Refuerzo, 2, ""));
    Linea_Datos(imp, xl, xv, "Ancho del refuerzo:", f(c.Ancho_Refuerzo, 3, " m"));
    Linea_Datos(imp, xl, xv, "Momento actual:", f(c.Momento_Actual, 2, " mkN"));
    const double yD = imp.CurrentY;
    Linea_Datos(imp, xl, xv, "Mom. flector solicitante:", f(c.Momento_Solicitante, 2, " mkN"));

    if (foto.LB_INFO_Visible) {
        imp.CurrentX = (21.0 - imp.TextWidth(foto.LB_INFO)) / 2;
        imp.CurrentY = yD + 2.0;
        imp.Print(foto.LB_INFO);
        if (!imp.EndDoc()) return {Estado::Fallo, s.Error()};
        return {};
    }

    const double rl = Margen + Columna_Derecha;
    const double rv = rl + Columna_Valor;
    auto caja = [&](const std::string& texto, int d, const char* u) {
        return Valor_Mostrado(num, texto, d, u);
    };
    Encabezado(imp, rl, Fila_Encabezado, "RESULTADOS DE LA SECCION");
    imp.CurrentX = rl;
    imp.CurrentY = Fila_Datos;
    imp.Print(Decimales::Recortar(foto.LB_TIPO));
    imp.CurrentY = Fila_Datos + 1.0;
    Linea_Datos(imp, rl, rv, "Momento \u00FAltimo s/r:", caja(foto.TX_MUSR, 1, " mkN"));
    Linea_Datos(imp, rl, rv, "Predeformaci\u00F3n inicial:", caja(foto.TX_EPS0, 2, " \u2030"));
    Linea_Subindice(imp, rl, rv, "M", "RB", caja(foto.TX_MRB, 1, " mkN"));
    Linea_Subindice(imp, rl, rv, "M", "l\u00EDm", caja(foto.TX_MLIMCR, 1, " mkN"));
    Linea_Datos(imp, rl, rv, "Pivote:", Decimales::Recortar(foto.TX_PIVOTE));
    Linea_Datos(imp, rl, rv, "Prof. fibra neutra:", caja(foto.TX_FN, 3, " m"));
    Linea_Datos(imp, rl, rv, "Def. hormig\u00F3n:", caja(foto.TX_EPSC, 2, "\u2030"));
    Linea_Datos(imp, rl, rv, "Def. armadura inferior:", caja(foto.TX_EPSSI, 2, "\u2030"));
    Linea_Datos(imp, rl, rv, "Def. armadura superior:", caja(foto.TX_EPSSS, 2, "\u2030"));
    Linea_Datos(imp, rl, rv, "Def. refuerzo:", caja(foto.TX_EPSR, 2, "\u2030"));
    const double yR = imp.CurrentY;
    Linea_Datos(imp, rl, rv, "Momento \u00FAltimo c/r:", caja(foto.TX_MU, 1, " mkN"));

    if (dibujos.Deformaciones) dibujos.Deformaciones();
    Imprimir_Elementos(imp, lista, Margen, Margen + 8.5, Margen + yR, Margen + 5, 0);
    if (dibujos.Seccion) dibujos.Seccion();
    Imprimir_Elementos(imp, lista, Margen + 8.5, Margen, Margen + yR, Margen + 5, 1);

    imp.NewPage();
    Dibujar_Marco(imp, pagina);
    if (dibujos.Mu_Armadura) dibujos.Mu_Armadura();
    Imprimir_Elementos(imp, lista, Margen, Margen, Margen, Margen + 13, 0);
    if (dibujos.Mu_Capas) dibujos.Mu_Capas();
    Imprimir_Elementos(imp, lista, Margen, Margen, Margen + 13, Margen, 0);

    if (!imp.EndDoc()) return {Estado::Fallo, s.Error()};
    return {};
}

}  // namespace Imprimir
