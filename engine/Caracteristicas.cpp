#include "Caracteristicas.h"

#include "General.h"

namespace Caracteristicas {

namespace {

void Poner_Coeficientes_Materiales() {
    auto& c = General::Caso;
    c.Gamma_Hormigon = 1.5;
    c.Gamma_Acero = 1.15;
    c.Gamma_Refuerzo = 1.4;
    c.Fck = 25;
    c.Fyk = 500;
}

void Poner_Entradas_Flexion() {
    auto& c = General::Caso;
    c.Ancho = 0.4;
    c.Canto = 0.6;
    c.Ancho_Alma = 0.2;
    c.Canto_Ala = 0.2;
    c.Recubrimiento = 0.05;
    c.Armadura_Inf = 10;
    c.Armadura_Sup = 0;
    c.Ancho_Refuerzo = 0.125;
    c.Momento_Actual = 0;
    c.Momento_Solicitante = 0;
    c.Predeformacion = 0;
}

void Poner_Entradas_Confina() {
    auto& c = General::Caso;
    c.Coef_Poisson = 0.5;
    c.Tipo_Seccion = 1;
    c.Diametro_Lado = 0.5;
    c.Lado_Menor = 0.4;
    c.Incremento_Necesario = 1.0;
    c.Axil_Actual = 0;
}

}  // namespace

void Iniciar_Datos() {
    auto& c = General::Caso;
    c.Num_Tipos_Refuerzo = 3;
    c.Num_Capas_Max = 5;

    c.Nombre_Refuerzo.Crear(3);
    c.Datos_Refuerzo.Crear(c.Num_Tipos_Refuerzo, 3);
    c.Color_Refuerzo.Crear(3);

    struct Fila {
        const char* nombre;
        double t, e, eu;
        General::Color color;
    };
    const Fila filas[3] = {
        {"VORLANT 20", 0.111, 230000, 0.015, {255, 0, 0}},
        {"VORLANT 30", 0.167, 230000, 0.015, {0, 0, 0}},
        {"VORLANT MM", 0.163, 440000, 0.0055, {214, 204, 31}},
    };
    for (int j = 1; j <= 3; ++j) {
        const Fila& f = filas[j - 1];
        c.Nombre_Refuerzo(j) = f.nombre;
        c.Datos_Refuerzo(j, 1) = f.t;
        c.Datos_Refuerzo(j, 2) = f.e;
        c.Datos_Refuerzo(j, 3) = f.eu;
        c.Color_Refuerzo(j) = f.color;
    }

    Poner_Coeficientes_Materiales();
    Poner_Entradas_Flexion();
    Poner_Entradas_Confina();
}

void Poner_Defectos_Flexion() {
    Poner_Coeficientes_Materiales();
    Poner_Entradas_Flexion();
}

void Poner_Defectos_Confina() {
    Poner_Coeficientes_Materiales();
    Poner_Entradas_Confina();
}

void Cargar_Refuerzo(int j) {
    auto& c = General::Caso;
    c.Espesor_Refuerzo = c.Datos_Refuerzo(j, 1);
    c.Modulo_Refuerzo = c.Datos_Refuerzo(j, 2);
    c.Def_Ultima_Refuerzo = c.Datos_Refuerzo(j, 3);
}

}  // namespace Caracteristicas
