#include "calculo/observador_do_calculo.h"

#include "plataforma/servicos.h"

namespace orvel {

int observador_do_calculo::mensagem(const std::string& texto, int estilo, const std::string& titulo) {
    return servicos().caixa_de_mensagem(texto, estilo, titulo);
}

void observador_do_calculo::sondar() { servicos().processar_eventos_pendentes(); }

namespace {
observador_do_calculo de_omissao;
observador_do_calculo* instalado = nullptr;
}  // namespace

void instalar_observador_do_calculo(observador_do_calculo* o) { instalado = o; }

observador_do_calculo& observador_do_calculo_instalado() { return instalado ? *instalado : de_omissao; }

}  // namespace orvel
