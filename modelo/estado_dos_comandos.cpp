#include "modelo/estado_dos_comandos.h"

namespace orvel {

namespace {
std::function<void(coluna_de_comandos)>& aplicador() {
    static std::function<void(coluna_de_comandos)> a;
    return a;
}
}  // namespace

void aplicar_coluna_de_comandos(coluna_de_comandos coluna) {
    if (aplicador()) aplicador()(coluna);
}

void instalar_aplicador_de_colunas(std::function<void(coluna_de_comandos)> a) { aplicador() = std::move(a); }

}  // namespace orvel
