// The program: installs the platform services and starts the main frame.
#include "app/Programa.h"

int main(int argc, char** argv) { return Programa::Ejecutar(argc, argv); }
