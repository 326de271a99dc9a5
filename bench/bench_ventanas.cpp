// Time of what a user waits for in the windows: the start-up to the main
// frame on screen, and the calculate command of each design window with its
// grid, panel and diagram (offscreen, the default case of each window).
#include <benchmark/benchmark.h>

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "platform/Messages.h"
#include "tests/platform_fakes/Fakes.h"
#include "windows/FM_CONFINA.h"
#include "windows/Ventana_Flexion.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>
#include <memory>

namespace {

// Every message (the save question of a closing window) is answered "No".
platform::FakeMessages& Mensajes() {
    static platform::FakeMessages fake;
    return fake;
}

void Arranque(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<MDI_PRINCIPAL> principal = Inicio::Main();
        QCoreApplication::processEvents();
        if (!principal) state.SkipWithError("the frame did not start");
        state.PauseTiming();
        principal.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(Arranque)->Unit(benchmark::kMillisecond);

template <class Abrir, class Calcular>
void Calculo(benchmark::State& state, Abrir abrir, Calcular calcular) {
    std::unique_ptr<MDI_PRINCIPAL> principal = Inicio::Main();
    if (!principal) {
        state.SkipWithError("the frame did not start");
        return;
    }
    abrir(*principal);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        calcular(*principal);
        QCoreApplication::processEvents();
    }
    principal->Cerrar_Ventanas();
}

void Flexion(benchmark::State& state, bool t) {
    Calculo(
        state,
        [t](MDI_PRINCIPAL& p) {
            t ? p.mnuCalcularFlexionT_Click() : p.mnuCalcularFlexion_Click();
        },
        [](MDI_PRINCIPAL& p) {
            auto* v = dynamic_cast<windows::Ventana_Flexion*>(p.Ventana());
            if (v) v->CM_CALCULAR_Click();
        });
}

void Calcular_Rect(benchmark::State& state) { Flexion(state, false); }
BENCHMARK(Calcular_Rect)->Unit(benchmark::kMillisecond);

void Calcular_T(benchmark::State& state) { Flexion(state, true); }
BENCHMARK(Calcular_T)->Unit(benchmark::kMillisecond);

void Calcular_Confina(benchmark::State& state) {
    Calculo(
        state, [](MDI_PRINCIPAL& p) { p.mnuCalcularConfina_Click(); },
        [](MDI_PRINCIPAL& p) {
            auto* v = dynamic_cast<FM_CONFINA*>(p.Ventana());
            if (v) v->CM_CALCULAR_Click();
        });
}
BENCHMARK(Calcular_Confina)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::installFallbackServices();
    platform::setMessages(&Mensajes());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
