#pragma once
// Estados dos comandos da janela principal. Cada coluna habilita (E) ou desabilita (D) um
// conjunto de menus e botões e deixa os outros (em branco) como estão.

#include <functional>
#include <string>
#include <vector>

namespace orvel {

enum class coluna_de_comandos {
    carregar,    // carga da janela principal
    novo,
    desenhar,
    encerrar,    // encerrar desenho
    fechar,
    abrir,       // projeto lido por abrir_projeto
    parada,      // ramo de parada dos resultados
    parar,       // "Interromper  processamento"
    processar1,  // antes do processamento
    processar2,  // depois do processamento
    nome,        // confirmação do nome da rede
};

struct linha_de_comandos {
    std::vector<std::string> controles;
    std::string estados;  // um caractere por coluna, na ordem de coluna_de_comandos: 'E', 'D' ou ' '
};

const std::vector<linha_de_comandos>& tabela_de_estados_dos_comandos();

// Aplica uma coluna aos controles da janela principal (se ela não está carregada, não há
// comando a habilitar). Só pede pintura quando algum estado mudou.
void aplicar_coluna_de_comandos(coluna_de_comandos coluna);

// Durante um processamento (de "Processar" até o processamento voltar) nenhum comando age, a
// não ser "Interromper  processamento", nem os que o ramo de parada já habilitou: o evento
// ligado ao que isto devolve só chama o comando fora da execução.
std::function<void()> fora_da_execucao(std::function<void()> comando);

}  // namespace orvel
