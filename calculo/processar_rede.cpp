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
#include "calculo/rede_em_calculo.h"
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
            [](contexto_da_rede& c, observador_do_calculo& o) { return o.salvar(c); }};
}

etapas_do_processamento& etapas() {
    static etapas_do_processamento e = etapas_de_verdade();
    return e;
}

bool perguntar_se_salva(contexto_da_rede& ctx, observador_do_calculo& observador) {
    if (!ctx.projeto.projeto_alterado) return true;
    const int r = observador.mensagem("você quer salvar o projeto?", estilo_sim_nao_cancelar | icone_exclamacao, "Aviso");
    if (r == resposta_nao) return true;
    if (r != resposta_sim) return false;
    const bool salvar_como_antes = ctx.projeto.salvar_como;
    ctx.projeto.salvar_como = ctx.projeto.nome_do_arquivo.empty();
    if (!observador.salvar(ctx)) {
        ctx.projeto.salvar_como = salvar_como_antes;
        return false;
    }
    ctx.projeto.projeto_alterado = false;
    return true;
}

namespace {

struct execucao {
    estado_do_projeto& projeto;
    explicit execucao(const rede_em_calculo& ctx) : projeto(ctx.projeto) {
        projeto.execucao_em_curso = true;
        guardar_revisao_do_comeco_da_execucao(ctx);
        iniciar_relatos_de_uma_execucao();
    }
    ~execucao() {
        encerrar_relatos_de_uma_execucao();
        projeto.execucao_em_curso = false;
    }
};

}  // namespace

void processar_rede(contexto_da_rede& c, observador_do_calculo& observador) {
    const rede_em_calculo ctx(c, observador);
    const execucao em_curso(ctx);
    const Long revisao_lida = ctx.projeto.revisao_da_rede;
    etapas_do_processamento& e = etapas();

    ctx.projeto.dados_ok = false;
    e.validar(ctx);
    if (!ctx.projeto.dados_ok) {
        const int r = observador.mensagem("você quer salvar o projeto?", estilo_sim_nao_cancelar | icone_exclamacao, "Aviso");
        if (r == resposta_sim) {
            ctx.projeto.salvar_como = ctx.projeto.nome_do_arquivo.empty();
            ctx.projeto.projeto_alterado = !e.salvar(c, observador);
        }
        return;
    }

    observador.ponteiro(ponteiro_seta_e_ampulheta);
    // O que havia de resultados deixa de valer já (as etapas recomeçam as tabelas): as vistas e o
    // arquivo só voltam a ter um plano quando esta execução chegar ao fim.
    ctx.projeto.revisao_processada = revisao_sem_resultados;
    ctx.derivados.verdes_de_seguranca_nao_atendidos = false;
    e.zerar(ctx);
    e.copiar(ctx);
    e.preparar(ctx);
    e.ciclo_minimo(ctx);
    e.tempo_de_ciclo(ctx);
    e.tempos_de_verde(ctx);
    e.verdes_de_seguranca(ctx);
    // Sem os verdes de segurança não há plano a avaliar: as etapas de cálculo que faltam são
    // puladas e o projeto é salvo sem textos de resultado, como depois de um pedido de parada.
    if (!ctx.derivados.verdes_de_seguranca_nao_atendidos) {
        e.defasagens_iniciais(ctx);
        e.intervalos_repetidos(ctx);
        e.defasagens_do_caminho(ctx);
        if (ctx.buscas.quant_de_niveis > 0) e.defasagens_da_rede(ctx);
        e.resultados(ctx);
        // Um processamento completo: os resultados são os da rede que ele leu.
        if (!ctx.projeto.parar_processamento) ctx.projeto.revisao_processada = revisao_lida;
    }
    // O salvamento do fim só pede um nome quando o projeto ainda não tem arquivo (um "Salvar
    // como" anterior não volta a perguntar). Se não gravou (falha ou diálogo cancelado), o
    // projeto fica marcado como alterado: o que foi calculado não se perde calado.
    ctx.projeto.salvar_como = ctx.projeto.nome_do_arquivo.empty();
    if (!e.salvar(c, observador)) ctx.projeto.projeto_alterado = true;
    observador.ponteiro(ponteiro_padrao);
}

}  // namespace orvel
