// Time to write each report as a PDF file, with the default case.
#include <benchmark/benchmark.h>

#include "drawing/Grafico.h"
#include "engine/Calculos.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Printers.h"
#include "reports/paper/Papel.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void Preparar() {
    General::Caso = {};
    Caracteristicas::Iniciar_Datos();
    General::Caso.Momento_Solicitante = 280;
    Calculos::Calcular_Caso_Flexion(1);
}

Imprimir::Foto_Flexion Foto() {
    Imprimir::Foto_Flexion f;
    f.TX_MU = "312,4";
    f.TX_MUSR = "250,0";
    f.TX_EPS0 = "0,40";
    f.TX_PIVOTE = "B";
    f.LB_TIPO = "Refuerzo tipo VORLANT 20 - Núm. capas:  1";
    f.IM_LOGO = {336, 173, std::vector<uint32_t>(336 * 173, 0xFF000080u)};
    return f;
}

template <class Informe>
void Pdf(benchmark::State& state, Informe informe) {
    Preparar();
    QTemporaryDir dir;
    const QString ruta = dir.filePath("informe.pdf");
    for (auto _ : state) {
        auto r = Imprimir::Imprimir_En(platform::kPdfPrinter, ruta, informe);
        if (r.estado != Imprimir::Estado::Impreso) state.SkipWithError("not printed");
    }
}

void Flexion_Pdf(benchmark::State& state) {
    const auto f = Foto();
    Pdf(state, [&](Imprimir::Superficie& s) {
        return Imprimir::Imprimir_Flexion(s, f, Imprimir::Numeros_Locale(),
                                          Imprimir::Dibujos_Grafico_Flexion(1));
    });
}
BENCHMARK(Flexion_Pdf)->Unit(benchmark::kMillisecond);

void Confina_Pdf(benchmark::State& state) {
    Imprimir::Foto_Confina f;
    f.LB_TIPO = "Refuerzo tipo VORLANT 20 - Núm. capas:  1";
    Pdf(state, [&](Imprimir::Superficie& s) {
        return Imprimir::Imprimir_Confina(s, f, Imprimir::Numeros_Locale(),
                                          Imprimir::Dibujos_Grafico_Confina());
    });
}
BENCHMARK(Confina_Pdf)->Unit(benchmark::kMillisecond);

void Caracteristicas_Pdf(benchmark::State& state) {
    Imprimir::Foto_Carac f;
    Pdf(state, [&](Imprimir::Superficie& s) {
        Grafico::Dibujar_Diagrama_Tension(1);
        return Imprimir::Imprimir_Caracteristicas(s, f, Imprimir::Numeros_Locale());
    });
}
BENCHMARK(Caracteristicas_Pdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
