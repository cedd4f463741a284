#include "modelo/armazenamento_xml.h"
#include "modelo/projeto.h"
#include "plataforma/falha.h"
#include "plataforma/textos.h"

namespace orvel {

namespace {

constexpr const char* ordinais[] = {"", "primeiro", "segundo", "terceiro", "quarto"};

std::string decimal_ou_traco(long long v) { return v > 0 ? texto_de_inteiro(v) : "-"; }
std::string single_ou_traco(Single v) { return v > 0 ? texto_de_single(v) : "-"; }
std::string sim_nao(bool v) { return v ? "sim" : "não"; }

// O valor guardado quando os resultados valem; senão, o de uma rede não processada.
template <class T>
T se_valem(bool valem, const T& valor) {
    return valem ? valor : T{};
}

class gravador {
public:
    gravador(const std::string& caminho, contexto_da_rede& c) : caminho_(caminho), c_(c) {}

    template <class T>
    void operator()(std::string_view elemento, std::string_view chave, const T& valor) {
        gravar_valor_xml(caminho_, chave, valor, elemento, c_);
    }

private:
    const std::string& caminho_;
    contexto_da_rede& c_;
};

void gravar_opcoes(contexto_da_rede& ctx, gravador& g) {
    g("rede", "nome_da_rede_dado", ctx.rede.nome_da_rede_dado);
    g("rede", "t_de_ciclo_imposto_dado", decimal_ou_traco(ctx.rede.t_de_ciclo_imposto_dado));
    g("rede", "t_de_ciclo_maximo_imposto_dado", decimal_ou_traco(ctx.rede.t_de_ciclo_maximo_imposto_dado));
    g("rede", "grau_de_saturacao_meta_imposto_dado", single_ou_traco(ctx.rede.grau_de_saturacao_meta_imposto_dado));
    g("rede", "grau_de_saturacao_limite_imposto_dado", single_ou_traco(ctx.rede.grau_de_saturacao_limite_imposto_dado));
    g("rede", "peso_da_parada_imposto_dado", decimal_ou_traco(ctx.rede.peso_da_parada_imposto_dado));
    g("rede", "total_de_nos_dado", ctx.rede.total_de_nos_dado);
    g("rede", "total_de_links_dado", ctx.rede.total_de_links_dado);
    g("rede", "max_indice_no", ctx.rede.max_indice_no);
    g("rede", "max_indice_link", ctx.rede.max_indice_link);
    g("rede", "max_quant_de_intervalos", ctx.resultados.max_quant_de_intervalos);
    g("rede", "caption_dos_forms", ctx.projeto.caption_dos_forms);
}

void gravar_links(contexto_da_rede& ctx, gravador& g) {
    ctx.listas.relacao_de_links.clear();
    for (int l = 1; l <= max_links; ++l)
        if (ctx.rede.existe_link(l)) ctx.listas.relacao_de_links += texto_de_inteiro(l) + ",";
    g("links", "relacao", ctx.listas.relacao_de_links);

    for (int l = 1; l <= max_links; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const std::string e = nome_do_elemento_do_link(l);
        g(e, "nome_do_link_dado", ctx.rede.nome_do_link_dado(l));
        g(e, "nome_do_no_origem_dado", ctx.rede.nome_do_no_origem_dado(l).empty() ? std::string("-") : ctx.rede.nome_do_no_origem_dado(l));
        g(e, "nome_do_no_destino_dado", ctx.rede.nome_do_no_destino_dado(l));
        g(e, "verde_de_seguranca_dado", ctx.rede.verde_de_seguranca_dado(l));
        g(e, "fluxo_dado", ctx.rede.fluxo_dado(l));
        g(e, "fluxo_de_saturacao_dado", ctx.rede.fluxo_de_saturacao_dado(l));
        g(e, "t_de_percurso_dado", decimal_ou_traco(ctx.rede.t_de_percurso_dado(l)));
        g(e, "capacidade_da_caixa_dado", decimal_ou_traco(ctx.rede.capacidade_da_caixa_dado(l)));
        for (int k = 1; k <= max_recebedores; ++k) {
            const std::string chave_nome = std::string("nome_do_") + ordinais[k] + "_recebedor_dado";
            const std::string chave_valor = std::string("valor_do_") + ordinais[k] + "_fornecimento_dado";
            if (ctx.rede.nome_do_recebedor_dado(l, k).empty()) {
                g(e, chave_nome, std::string("-"));
                g(e, chave_valor, std::string("-"));
            } else {
                g(e, chave_nome, ctx.rede.nome_do_recebedor_dado(l, k));
                g(e, chave_valor, ctx.rede.valor_do_fornecimento_dado(l, k));
            }
        }
    }
}

std::string lista_de_cores(const tabela<Byte, max_nos, max_grupos, limite_de_intervalos>& t, int n, int g) {
    std::string s;
    for (int k = 1; k <= max_intervalos_duplos; ++k) s += texto_de_inteiro(t(n, g, k)) + ",";
    return s;
}

void gravar_nos(contexto_da_rede& ctx, gravador& g) {
    ctx.listas.relacao_de_nos.clear();
    for (int n = 1; n <= max_nos; ++n)
        if (ctx.rede.existe_no(n)) ctx.listas.relacao_de_nos += texto_de_inteiro(n) + ",";
    g("nos", "relacao", ctx.listas.relacao_de_nos);

    for (int n = 1; n <= max_nos; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const std::string e = nome_do_elemento_do_no(n);
        g(e, "nome_do_no_dado", ctx.rede.nome_do_no_dado(n));
        g(e, "quant_de_grupos_dado", ctx.rede.quant_de_grupos_dado(n));
        g(e, "eh_no_escravo_dado", ctx.rede.eh_no_escravo_dado(n));
        if (ctx.rede.eh_no_escravo_dado(n)) {
            g(e, "nome_do_mestre_dado", ctx.rede.nome_do_mestre_dado(n));
            g(e, "intervalo_do_escravo_dado", ctx.rede.intervalo_do_escravo_dado(n));
            g(e, "intervalo_do_mestre_dado", ctx.rede.intervalo_do_mestre_dado(n));
            g(e, "defasagem_forcada_dado", ctx.rede.defasagem_forcada_dado(n));
        } else {
            for (const char* chave :
                 {"nome_do_mestre_dado", "intervalo_do_escravo_dado", "intervalo_do_mestre_dado", "defasagem_forcada_dado"})
                g(e, chave, std::string("-"));
        }
        g(e, "eh_no_demandado_dado", ctx.rede.eh_no_demandado_dado(n));
        if (ctx.rede.eh_no_demandado_dado(n)) {
            g(e, "n_acionamentos_dado", ctx.rede.n_acionamentos_dado(n));
            g(e, "intervalo_demandado_dado", ctx.rede.intervalo_demandado_dado(n));
            g(e, "intervalo_beneficiado_dado", ctx.rede.intervalo_beneficiado_dado(n));
        } else {
            for (const char* chave : {"n_acionamentos_dado", "intervalo_demandado_dado", "intervalo_beneficiado_dado"})
                g(e, chave, std::string("-"));
        }
        g(e, "eh_ciclo_duplo_permitido_dado", sim_nao(ctx.rede.eh_ciclo_duplo_permitido_dado(n)));
        g(e, "quant_de_intervalos_antes_dado", ctx.rede.quant_de_intervalos_antes_dado(n));

        for (int grupo = 1; grupo <= max_grupos; ++grupo) {
            if (grupo >= 3 && ctx.rede.quant_de_grupos_dado(n) < grupo) continue;
            std::string& lista = ctx.listas.lista_dos_links_do_grupo(grupo);
            lista.clear();
            for (int k = 1; k <= max_links_por_grupo; ++k) lista += ctx.rede.nome_dos_links_do_grupo_dado(n, grupo, k) + ",";
            g(e, "nome_dos_links_do_grupo" + texto_de_inteiro(grupo) + "_dado", lista);
        }

        ctx.listas.lista_de_existe_ordenada.clear();
        for (int c = 1; c <= ultima_divisa; ++c)
            if (ctx.rede.existe_ordenada_dado(n, c)) ctx.listas.lista_de_existe_ordenada += texto_de_inteiro(c) + ",";
        g(e, "existe_ordenada_dado", ctx.listas.lista_de_existe_ordenada);

        for (int grupo = 1; grupo <= max_grupos; ++grupo) {
            if (grupo >= 3 && ctx.rede.quant_de_grupos_dado(n) < grupo) continue;
            ctx.listas.lista_de_cor_do_grupo(grupo) = lista_de_cores(ctx.rede.cor_do_intervalo_do_grupo_dado, n, grupo);
            g(e, "cor_do_intervalo_do_grupo" + texto_de_inteiro(grupo) + "_dado", ctx.listas.lista_de_cor_do_grupo(grupo));
            ctx.listas.lista_de_cor_do_grupo_depois(grupo) = lista_de_cores(ctx.resultados.cor_do_intervalo_do_grupo_depois, n, grupo);
            g(e, "cor_do_intervalo_do_grupo" + texto_de_inteiro(grupo) + "_depois", ctx.listas.lista_de_cor_do_grupo_depois(grupo));
        }

        ctx.listas.lista_de_duracao_imposta.clear();
        for (int k = 1; k <= max_intervalos_duplos; ++k) ctx.listas.lista_de_duracao_imposta += texto_de_inteiro(ctx.rede.duracao_imposta_dado(n, k)) + ",";
        g(e, "duracao_imposta_dado", ctx.listas.lista_de_duracao_imposta);
    }
}

void gravar_desenho(contexto_da_rede& ctx, gravador& g) {
    const desenho_dado& d = ctx.desenho;
    for (int l = 1; l <= max_links; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const std::string e = nome_do_elemento_do_link(l);
        g(e, "eh_link_conversao", sim_nao(ctx.rede.eh_link_conversao(l)));
        g(e, "corpo_link_line_X1", d.corpo_link_line_X1(l));
        g(e, "corpo_link_line_X2", d.corpo_link_line_X2(l));
        g(e, "corpo_link_line_Y1", d.corpo_link_line_Y1(l));
        g(e, "corpo_link_line_Y2", d.corpo_link_line_Y2(l));
        g(e, "braco_link_line_X2", d.braco_link_line_X2(l));
        g(e, "braco_link_line_Y2", d.braco_link_line_Y2(l));
        g(e, "esquerda_seta_line_X1", d.esquerda_seta_line_X1(l));
        g(e, "esquerda_seta_line_Y1", d.esquerda_seta_line_Y1(l));
        g(e, "direita_seta_line_X1", d.direita_seta_line_X1(l));
        g(e, "direita_seta_line_Y1", d.direita_seta_line_Y1(l));
        g(e, "etiqueta_link_label_Left", d.etiqueta_link_label_Left(l));
        g(e, "etiqueta_link_label_Top", d.etiqueta_link_label_Top(l));
        g(e, "etiqueta_link_label_Caption", d.etiqueta_link_label_Caption(l));
    }
    for (int n = 1; n <= max_nos; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const std::string e = nome_do_elemento_do_no(n);
        g(e, "apoio_no_label_Left", d.apoio_no_label_Left(n));
        g(e, "apoio_no_label_Top", d.apoio_no_label_Top(n));
        g(e, "apoio_no_label_Height", d.apoio_no_label_Height(n));
        g(e, "apoio_no_label_Caption", d.apoio_no_label_Caption(n));
        g(e, "no_shape_Left", d.no_shape_Left(n));
        g(e, "no_shape_Top", d.no_shape_Top(n));
        g(e, "no_shape_Height", d.no_shape_Height(n));
    }
}

// Resultados que não são os da rede como está (ela mudou depois do cálculo, ou nenhum cálculo
// chegou ao fim) não vão para o arquivo: cada chave recebe o texto de uma rede não processada, e
// o arquivo abre como não processado.
void gravar_resultados(contexto_da_rede& ctx, gravador& g, bool valem) {
    g("rede", "t_ciclo_da_rede_rel", se_valem(valem, ctx.resultados.t_ciclo_da_rede_rel));
    g("rede", "atraso_rede_rel", se_valem(valem, ctx.resultados.atraso_rede_rel));
    g("rede", "n_paradas_rede_rel", se_valem(valem, ctx.resultados.n_paradas_rede_rel));
    g("rede", "espera_media_rel", se_valem(valem, ctx.resultados.espera_media_rel));
    g("rede", "maior_grau_de_saturacao_rel", se_valem(valem, ctx.resultados.maior_grau_de_saturacao_rel));
    // A lista de empatados só é remontada quando há entradas; sem elas (um projeto aberto, ou
    // um segundo salvamento) o texto fica como está, sem repetir nomes a cada salvamento.
    bool ha_empatados = false;
    for (int k = 1; k <= max_nos; ++k) ha_empatados = ha_empatados || !ctx.resultados.links_com_maior_grau_de_saturacao(k).empty();
    if (valem && ha_empatados) {
        ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel.clear();
        for (int k = 1; k <= max_nos; ++k)
            if (!ctx.resultados.links_com_maior_grau_de_saturacao(k).empty())
                ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel += ctx.resultados.links_com_maior_grau_de_saturacao(k) + ",";
    }
    for (int vez = 0; valem && vez < 100 && !ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel.empty() &&
                      ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel.back() == ',';
         ++vez)
        ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel.pop_back();
    g("rede", "StrLinks_com_maior_grau_de_saturacao_rel", se_valem(valem, ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel));
    g("rede", "periodo_de_simulacao", se_valem(valem, ctx.derivados.periodo_de_simulacao));

    for (int n = 1; n <= max_nos; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const std::string e = nome_do_elemento_do_no(n);
        const auto intervalos = se_valem(valem, ctx.derivados.quant_de_intervalos_depois(n));
        g(e, "defasagem_valendo_rel", se_valem(valem, ctx.buscas.defasagem_valendo(n)));
        g(e, "quant_de_intervalos_depois_dado", intervalos);
        for (int j = 1; j <= max_intervalos_entrados; ++j) {
            if (intervalos >= j) {
                g(e, "d" + texto_de_inteiro(j), ctx.derivados.duracao_do_intervalo(n, j));
                g(e, "dcd" + texto_de_inteiro(j), ctx.derivados.duracao_com_demanda(n, j));
            } else {
                g(e, "d" + texto_de_inteiro(j), std::string("-"));
            }
        }
        g(e, "eh_ciclo_duplo_rel", sim_nao(valem && ctx.derivados.eh_ciclo_duplo(n)));
    }

    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const std::string e = nome_do_elemento_do_link(l);
        g(e, "y_rel", se_valem(valem, ctx.resultados.y_rel(l)));
        for (int k = 1; k <= 4; ++k) {
            // Um período de verde lido de um arquivo só tem o texto: vale o texto.
            const std::string& texto = ctx.resultados.periodo_de_verde_do_link_rel(l, k);
            const bool existe = valem && (ctx.resultados.periodo_de_verde_do_link(l, k) > 0 || (!texto.empty() && texto != "0"));
            g(e, "periodo_de_verde_do_link" + texto_de_inteiro(k) + "_rel", existe ? texto : std::string("-"));
        }
        g(e, "fila_maxima_rel", se_valem(valem, ctx.resultados.fila_maxima_rel(l)));
        g(e, "estourou_caixa_rel", sim_nao(valem && ctx.resultados.estourou_caixa_rel(l) == "True"));
        g(e, "grau_de_saturacao_por_link_rel", se_valem(valem, ctx.resultados.grau_de_saturacao_por_link_rel(l)));
        g(e, "atraso_rel", se_valem(valem, ctx.resultados.atraso_rel(l)));
        g(e, "n_paradas_rel", se_valem(valem, ctx.resultados.n_paradas_rel(l)));
    }
}

}  // namespace

resultado_do_arquivo salvar_projeto(contexto_da_rede& ctx, const std::string& caminho, gravacao modo) {
    resultado_do_arquivo r;
    // O caminho vale já durante a gravação (o título vai no próprio arquivo); numa falha, o
    // projeto volta ao arquivo e ao título que tinha ("alterado" e o pedido de nome só mudam
    // depois da última gravação).
    const std::string arquivo_antes = ctx.projeto.nome_do_arquivo;
    const std::string caption_antes = ctx.projeto.caption_dos_forms;
    try {
        ctx.projeto.nome_do_arquivo = caminho;
        ctx.projeto.caption_dos_forms = parte_do_nome_do_arquivo(caminho);
        gravador g(ctx.projeto.nome_do_arquivo, ctx);
        ctx.projeto.xml_recarregar = true;
        ctx.projeto.xml_salvar_e_liberar = false;
        xml_substituir_arquivo = modo == gravacao::substituindo;
        gravar_opcoes(ctx, g);
        gravar_links(ctx, g);
        gravar_nos(ctx, g);
        gravar_desenho(ctx, g);
        const bool resultados_valem = ctx.projeto.revisao_processada == ctx.projeto.revisao_da_rede;
        gravar_resultados(ctx, g, resultados_valem);
        ctx.projeto.xml_salvar_e_liberar = true;
        g("rede", "data_rel", se_valem(resultados_valem, ctx.resultados.data_rel));

        ctx.projeto.projeto_alterado = false;
        // O nome pedido por "Salvar como" já vale: os salvamentos seguintes gravam nele.
        ctx.projeto.salvar_como = false;
    } catch (...) {
        registrar_excecao_em_andamento();
        ctx.projeto.nome_do_arquivo = arquivo_antes;
        ctx.projeto.caption_dos_forms = caption_antes;
        r.como = resultado_do_arquivo::situacao::falhou;
        r.texto = falha_corrente().descricao();
        r.codigo = "Erro 146";
    }
    xml_substituir_arquivo = false;
    return r;
}

}  // namespace orvel
