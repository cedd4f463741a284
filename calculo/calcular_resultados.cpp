#include "calculo/calcular_resultados.h"

#include "modelo/estado_do_editor.h"
#include "modelo/estado_dos_comandos.h"
#include "modelo/rede.h"
#include "plataforma/falha.h"

namespace orvel {

void calcular_resultados() {
    com_codigo("Erro 152", [] {
        if (parar_processamento) {
            aplicar_coluna_de_comandos(coluna_de_comandos::parada);
            desenhando = false;
            return;
        }
        // A simulação final e os textos de resultado ainda não foram construídos.
    });
}

}  // namespace orvel
