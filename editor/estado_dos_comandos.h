#pragma once
// Estados dos comandos da janela principal. Cada coluna habilita (E) ou desabilita (D) um
// conjunto de menus e botões e deixa os outros (em branco) como estão.

#include <functional>
#include <string>
#include <vector>

#include "modelo/colunas_de_comandos.h"

namespace orvel {

struct linha_de_comandos {
    std::vector<std::string> controles;
    std::string estados;  // um caractere por coluna, na ordem de coluna_de_comandos: 'E', 'D' ou ' '
};

const std::vector<linha_de_comandos>& tabela_de_estados_dos_comandos();

// Aplica uma coluna aos controles da janela principal (se ela não está carregada, não há
// comando a habilitar). Só pede pintura quando algum estado mudou. As camadas de baixo chegam
// aqui por aplicar_coluna_de_comandos, pelas janelas instaladas.
void aplicar_coluna_na_janela_principal(coluna_de_comandos coluna);

// O guarda da execução. Durante um processamento (de "Processar" até o processamento voltar)
// nenhum comando age, a não ser "Interromper  processamento", nem os que o ramo de parada já
// habilitou, nem o arrasto no desenho, nem o fechamento da janela principal. Devolve true
// quando o processamento está em curso, depois de dizer ao usuário que espere ("Aguarde o fim
// do processamento"): um comando recusado nunca some calado, e o aviso não segura o
// processamento enquanto está aberto.
bool recusado_pela_execucao();

// O evento ligado ao que isto devolve só chama o comando fora da execução (pelo guarda acima).
std::function<void()> fora_da_execucao(std::function<void()> comando);

}  // namespace orvel
