#include "calculo/processar_rede.h"

#include "calculo/atender_verdes_de_seguranca.h"
#include "calculo/calcular_ciclo_minimo_dos_nos.h"
#include "calculo/calcular_resultados.h"
#include "calculo/dados_de_calculo.h"
#include "calculo/defasagens.h"
#include "calculo/distribuir_tempos_de_verde.h"
#include "calculo/escolher_tempo_de_ciclo.h"
#include "calculo/observador_do_calculo.h"
#include "calculo/sondagem.h"
#include "calculo/validar_rede.h"
#include "calculo/zerar_variaveis_de_calculo.h"
#include "modelo/projeto.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/servicos.h"

namespace orvel {

etapas_do_processamento etapas_de_verdade() {
    return {validar_rede,
            zerar_variaveis_de_calculo,
            copiar_dados_de_calculo,
            preparar_dados_de_calculo,
            calcular_ciclo_minimo_dos_nos,
            escolher_tempo_de_ciclo,
            distribuir_tempos_de_verde,
            atender_verdes_de_seguranca,
            calcular_defasagens_iniciais,
            otimizar_intervalos_repetidos,
            otimizar_defasagens_do_caminho,
            otimizar_defasagens_da_rede,
            calcular_resultados,
            salvar_projeto};
}

etapas_do_processamento& etapas() {
    static etapas_do_processamento e = etapas_de_verdade();
    return e;
}

bool perguntar_se_salva(bool (*salvar)()) {
    if (!projeto_alterado) return true;
    const int r = observador_do_calculo_instalado().mensagem("você quer salvar o projeto?",
                                                            estilo_sim_nao_cancelar | icone_exclamacao, "Aviso");
    if (r == resposta_nao) {
        projeto_alterado = false;
        return true;
    }
    if (r != resposta_sim) return false;
    salvar_como = nome_do_arquivo.empty();
    if (!salvar()) return false;
    projeto_alterado = false;
    return true;
}

namespace {

struct execucao {
    execucao() {
        execucao_em_curso = true;
        guardar_revisao_do_comeco_da_execucao();
        iniciar_relatos_de_uma_execucao();
    }
    ~execucao() {
        encerrar_relatos_de_uma_execucao();
        execucao_em_curso = false;
    }
};

}  // namespace

void processar_rede() {
    const execucao em_curso;
    const Long revisao_lida = revisao_da_rede;
    etapas_do_processamento& e = etapas();
    observador_do_calculo& observador = observador_do_calculo_instalado();

    dados_ok = false;
    e.validar();
    if (!dados_ok) {
        const int r = observador.mensagem("você quer salvar o projeto?", estilo_sim_nao_cancelar | icone_exclamacao, "Aviso");
        if (r == resposta_sim) {
            salvar_como = nome_do_arquivo.empty();
            projeto_alterado = !e.salvar();
        }
        return;
    }

    observador.ponteiro(ponteiro_seta_e_ampulheta);
    verdes_de_seguranca_nao_atendidos = false;
    e.zerar();
    e.copiar();
    e.preparar();
    e.ciclo_minimo();
    e.tempo_de_ciclo();
    e.tempos_de_verde();
    e.verdes_de_seguranca();
    // Sem os verdes de segurança não há plano a avaliar: as etapas de cálculo que faltam são
    // puladas e o projeto é salvo sem textos de resultado, como depois de um pedido de parada.
    if (!verdes_de_seguranca_nao_atendidos) {
        e.defasagens_iniciais();
        e.intervalos_repetidos();
        e.defasagens_do_caminho();
        if (quant_de_niveis > 0) e.defasagens_da_rede();
        e.resultados();
        // Um processamento completo: os resultados são os da rede que ele leu.
        if (!parar_processamento) revisao_processada = revisao_lida;
    }
    // O salvamento do fim só pede um nome quando o projeto ainda não tem arquivo (um "Salvar
    // como" anterior não volta a perguntar). Se não gravou (falha ou diálogo cancelado), o
    // projeto fica marcado como alterado: o que foi calculado não se perde calado.
    salvar_como = nome_do_arquivo.empty();
    if (!e.salvar()) projeto_alterado = true;
    observador.ponteiro(ponteiro_padrao);
}

}  // namespace orvel
