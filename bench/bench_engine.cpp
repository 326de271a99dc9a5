// Time of one whole calculation of each kind with the default case.
#include <benchmark/benchmark.h>

#include "engine/Calculos.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

void Preparar() {
    General::Caso = {};
    Caracteristicas::Iniciar_Datos();
    General::Caso.Momento_Actual = 50;
}

// 3 variants x 5 layer counts plus the unstrengthened capacity.
void Flexion_Rectangular(benchmark::State& state) {
    Preparar();
    for (auto _ : state) {
        bool ok = Calculos::Calcular_Caso_Flexion(1) == Calculos::Resultado_Calculo::Calculado;
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(General::Caso.Mu_Max);
    }
}
BENCHMARK(Flexion_Rectangular)->Unit(benchmark::kMicrosecond);

void Flexion_T(benchmark::State& state) {
    Preparar();
    General::Caso.Canto_Ala = 0.08;  // block below the flange for the limit moment
    for (auto _ : state) {
        bool ok = Calculos::Calcular_Caso_Flexion(2) == Calculos::Resultado_Calculo::Calculado;
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(General::Caso.Mu_Max);
    }
}
BENCHMARK(Flexion_T)->Unit(benchmark::kMicrosecond);

void Confinamiento(benchmark::State& state) {
    Preparar();
    General::Caso.Axil_Actual = 1000;
    for (auto _ : state) {
        const bool ok = static_cast<bool>(Calculos::Calcular_Caso_Confina());
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(General::Caso.Incremento_Max);
    }
}
BENCHMARK(Confinamiento)->Unit(benchmark::kMicrosecond);

void Anclaje(benchmark::State& state) {
    Preparar();
    for (auto _ : state) {
        Calculos::Calcular_Anclaje();
        benchmark::DoNotOptimize(General::Caso.Longitud_Anclaje(3, 5));
    }
}
BENCHMARK(Anclaje)->Unit(benchmark::kMicrosecond);

}  // namespace
