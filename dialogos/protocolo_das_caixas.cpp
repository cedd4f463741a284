#include "dialogos/protocolo_das_caixas.h"

#include <utility>

namespace orvel {

void ligar_caixa_de_dados(caixa_de_texto& caixa, std::function<bool(caixa_de_texto&)> guardar,
                          std::function<void()> confirmar) {
    caixa.KeyPress = [&caixa, guardar, confirmar = std::move(confirmar)](Integer& codigo) {
        if (codigo != tecla_enter) return;
        codigo = 0;
        if (guardar(caixa)) confirmar();
    };
    caixa.LostFocus = [&caixa, guardar = std::move(guardar)] { guardar(caixa); };
}

void sair_sem_validar(botao_de_comando& cancelar) {
    cancelar.CausesValidation = false;
    cancelar.Cancel = true;
}

void enter_da_janela_confirma(Integer& codigo, const std::function<void()>& confirmar) {
    if (codigo != tecla_enter) return;
    codigo = 0;
    confirmar();
}

}  // namespace orvel
