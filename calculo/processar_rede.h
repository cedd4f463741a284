#pragma once
// O processamento inteiro: valida a rede e, válida, chama cada etapa uma vez, na ordem, e
// salva o projeto com os resultados.

namespace orvel {

void processar_rede();

// As etapas, na ordem em que o processamento as chama. Os testes podem trocá-las.
struct etapas_do_processamento {
    void (*validar)();
    void (*zerar)();
    void (*copiar)();
    void (*preparar)();
    void (*ciclo_minimo)();
    void (*tempo_de_ciclo)();
    void (*tempos_de_verde)();
    void (*verdes_de_seguranca)();
    void (*defasagens_iniciais)();
    void (*intervalos_repetidos)();
    void (*defasagens_do_caminho)();
    void (*defasagens_da_rede)();
    void (*resultados)();
    bool (*salvar)();
};

etapas_do_processamento& etapas();
etapas_do_processamento etapas_de_verdade();

// Pergunta "você quer salvar o projeto?" (Sim, Não, Cancelar). Devolve true quando o comando
// pode seguir: sem alterações, "Não", ou "Sim" com o arquivo de fato gravado. "Cancelar", ou um
// "Sim" cujo salvamento não gravou (diálogo cancelado, substituição recusada, falha), devolve
// false e deixa projeto_alterado como estava.
bool perguntar_se_salva(bool (*salvar)());

}  // namespace orvel
