// Shared case data of the open case: catalogue, coefficients, inputs,
// current-variant copies, result arrays and status flags. One instance.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace General {

// The design windows of the program (FM_FLEXION, FM_FLEXIONT, FM_CONFINA,
// FM_CARAC); which one is open is told by the flags of the case data.
enum class DesignKind { Flexion, FlexionT, Confina, Carac };

// 1-based array that exists only after Crear(); reading a missing array or an
// index out of its bounds gives "no value" instead of touching memory.
template <class T>
class Tabla1 {
public:
    void Crear(int n) {
        v_.assign(n > 0 ? static_cast<std::size_t>(n) : 0u, T{});
        existe_ = true;
    }
    void Borrar() {
        v_.clear();
        existe_ = false;
    }
    bool Existe() const { return existe_; }
    int Limite() const { return static_cast<int>(v_.size()); }
    bool Dentro(int i) const { return existe_ && i >= 1 && i <= Limite(); }
    std::optional<T> Leer(int i) const {
        if (!Dentro(i)) return std::nullopt;
        return v_[static_cast<std::size_t>(i - 1)];
    }
    // Checked access for code that has created the array itself.
    T& operator()(int i) {
        if (!Dentro(i)) throw std::out_of_range("Tabla1");
        return v_[static_cast<std::size_t>(i - 1)];
    }
    const T& operator()(int i) const {
        if (!Dentro(i)) throw std::out_of_range("Tabla1");
        return v_[static_cast<std::size_t>(i - 1)];
    }

private:
    std::vector<T> v_;
    bool existe_ = false;
};

// 1-based two-index array (j, n), same rules as Tabla1.
template <class T>
class Tabla2 {
public:
    void Crear(int n1, int n2) {
        n1_ = n1 > 0 ? n1 : 0;
        n2_ = n2 > 0 ? n2 : 0;
        v_.assign(static_cast<std::size_t>(n1_) * static_cast<std::size_t>(n2_), T{});
        existe_ = true;
    }
    void Borrar() {
        v_.clear();
        n1_ = n2_ = 0;
        existe_ = false;
    }
    bool Existe() const { return existe_; }
    int Limite1() const { return n1_; }
    int Limite2() const { return n2_; }
    bool Dentro(int i, int k) const {
        return existe_ && i >= 1 && i <= n1_ && k >= 1 && k <= n2_;
    }
    std::optional<T> Leer(int i, int k) const {
        if (!Dentro(i, k)) return std::nullopt;
        return v_[Pos(i, k)];
    }
    T& operator()(int i, int k) {
        if (!Dentro(i, k)) throw std::out_of_range("Tabla2");
        return v_[Pos(i, k)];
    }
    const T& operator()(int i, int k) const {
        if (!Dentro(i, k)) throw std::out_of_range("Tabla2");
        return v_[Pos(i, k)];
    }

private:
    std::size_t Pos(int i, int k) const {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(n2_) +
               static_cast<std::size_t>(k - 1);
    }
    std::vector<T> v_;
    int n1_ = 0;
    int n2_ = 0;
    bool existe_ = false;
};

struct Color {
    int Rojo = 0;
    int Verde = 0;
    int Azul = 0;
    // Colour as the drawing records store it: red + 256 green + 65536 blue.
    double Valor() const { return Rojo + 256.0 * Verde + 65536.0 * Azul; }
    bool operator==(const Color&) const = default;
};

// Marker of a layer count that gives no gain in Mu_Capas.
inline constexpr double Sin_Ganancia = -999.0;

struct Datos {
    // Catalogue and counts.
    int16_t Num_Tipos_Refuerzo = 0;
    int16_t Num_Capas_Max = 0;
    Tabla1<std::string> Nombre_Refuerzo;
    Tabla2<double> Datos_Refuerzo;  // (j,1) t mm, (j,2) E N/mm2, (j,3) eps_fu
    Tabla1<Color> Color_Refuerzo;

    // Safety coefficients and materials.
    double Gamma_Hormigon = 0;
    double Gamma_Acero = 0;
    double Gamma_Refuerzo = 0;
    double Fck = 0;
    double Fyk = 0;
    double Coef_Poisson = 0;

    // Current variant.
    double Espesor_Refuerzo = 0;
    double Modulo_Refuerzo = 0;
    double Def_Ultima_Refuerzo = 0;
    Tabla1<double> Km;
    Tabla1<double> Def_Calculo_Refuerzo;

    // Flexure inputs.
    double Ancho = 0;
    double Canto = 0;
    double Ancho_Alma = 0;
    double Canto_Ala = 0;
    double Recubrimiento = 0;
    double Armadura_Inf = 0;
    double Armadura_Sup = 0;
    double Ancho_Refuerzo = 0;
    double Momento_Actual = 0;
    double Momento_Solicitante = 0;
    double Predeformacion = 0;

    // Flexure results.
    Tabla2<double> Mu_Capas;
    Tabla2<double> Fibra_Neutra;
    Tabla2<std::string> Pivote;
    Tabla2<double> Momento_RB;
    Tabla2<double> Momento_Limite;
    Tabla2<double> Def_Hormigon;
    Tabla2<double> Def_Armadura_Inf;
    Tabla2<double> Def_Armadura_Sup;
    Tabla2<double> Def_Refuerzo;
    Tabla2<double> Fibra_Neutra_RB;
    Tabla2<double> Fibra_Neutra_Lim;
    double Mu_Sin_Refuerzo = 0;
    double Mu_Max = 0;

    // Confinement inputs.
    int16_t Tipo_Seccion = 0;
    double Diametro_Lado = 0;
    double Lado_Menor = 0;
    double Incremento_Necesario = 0;
    double Axil_Actual = 0;
    double Coef_Forma = 0;

    // Confinement results.
    Tabla1<double> Vol_Hormigon;
    Tabla2<double> Vol_Refuerzo;
    Tabla2<double> Cuantia_Volumetrica;
    Tabla2<double> Def_Refuerzo_Confina;
    Tabla2<double> Tension_Refuerzo;
    Tabla2<double> Tension_Confinamiento;
    Tabla2<double> Incremento_Resistencia;
    double Incremento_Max = 0;

    // Anchorage.
    Tabla2<double> Longitud_Anclaje;

    // Status flags.
    bool Calculado = false;
    bool Modificado = false;
    bool Guardado = false;
    bool Sin_Nombre = true;
    bool Abriendo_Fichero = false;
    bool Error_Datos = false;
    bool Rellenando_Tabla = false;
    bool Flexion_Abierto = false;
    bool FlexionT_Abierto = false;
    bool Confina_Abierto = false;
    bool Carac_Abierto = false;
    bool Presentacion_Visible = false;
    bool Sesion_Correo = false;

    // Data file of the open case.
    std::string Nombre_Fichero;
};

// The one case of the running program.
inline Datos Caso;

}  // namespace General
