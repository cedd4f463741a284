#include "calculo/validar_rede.h"

#include <string>

#include "calculo/observador_do_calculo.h"
#include "calculo/rede_em_calculo.h"
#include "modelo/limites_dos_valores.h"
#include "plataforma/falha.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

void aviso(const rede_em_calculo& ctx, const std::string& texto) {
    ctx.observador.mensagem(texto, estilo_ok, "Aviso");
    ctx.projeto.dados_ok = false;
}

bool no_em_uso(const rede_em_calculo& ctx, int n) { return ctx.rede.existe_no(n); }
bool link_em_uso(const rede_em_calculo& ctx, int l) { return ctx.rede.existe_link(l); }

// Algum link em uso tem o nome dado?
bool existe_link_com_nome(const rede_em_calculo& ctx, const std::string& nome) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
        if (link_em_uso(ctx, l) && nomes_iguais(ctx.rede.nome_do_link_dado(l), nome)) return true;
    return false;
}

bool existe_no_com_nome(const rede_em_calculo& ctx, const std::string& nome) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
        if (no_em_uso(ctx, n) && nomes_iguais(ctx.rede.nome_do_no_dado(n), nome)) return true;
    return false;
}

// Intervalo fora de 1..quantidade.
bool intervalo_invalido(Byte intervalo, Byte quantidade) { return intervalo == 0 || intervalo > quantidade; }

void conferir_quantidades(const rede_em_calculo& ctx) {
    if (ctx.rede.total_de_nos_dado == 0) aviso(ctx, "deve existir, pelo menos, um nó");
    if (ctx.rede.total_de_links_dado == 0) aviso(ctx, "deve existir, pelo menos, um link");
}

void conferir_duracoes_impostas(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        Integer soma = 0;
        for (int k = 1; k <= ctx.rede.quant_de_intervalos_antes_dado(n); ++k)
            soma = para_integer(Long{soma} + Long{ctx.rede.duracao_imposta_dado(n, k)});

        const std::string inicio = "a soma das durações impostas dos intervalos do nó " + ctx.rede.nome_do_no_dado(n);
        if (ctx.rede.t_de_ciclo_imposto_dado > 0 && soma > ctx.rede.t_de_ciclo_imposto_dado)
            aviso(ctx, inicio + " é maior do que o tempo de ciclo imposto");
        if (ctx.rede.t_de_ciclo_maximo_imposto_dado < 1) {
            if (soma > t_de_ciclo_maximo_padrao) aviso(ctx, inicio + " é maior do que o tempo de ciclo máximo igual a 120 s");
        } else if (soma > ctx.rede.t_de_ciclo_maximo_imposto_dado) {
            aviso(ctx, inicio + " é maior do que o tempo de ciclo máximo imposto");
        }
    }
}

void conferir_recebedores(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        for (int k = 1; k <= max_recebedores; ++k) {
            const std::string& recebedor = ctx.rede.nome_do_recebedor_dado(l, k);
            if (recebedor.empty() || existe_link_com_nome(ctx, recebedor)) continue;
            aviso(ctx, "não existe o link " + recebedor + " que foi definido como recebedor do link " + ctx.rede.nome_do_link_dado(l));
        }
    }
}

// O link aparece em algum grupo de algum nó?
bool link_tem_grupo(const rede_em_calculo& ctx, const std::string& nome) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int g = 1; g <= ctx.rede.quant_de_grupos_dado(n); ++g)
            for (int k = 1; k <= max_links_por_grupo; ++k)
                if (nomes_iguais(ctx.rede.nome_dos_links_do_grupo_dado(n, g, k), nome)) return true;
    }
    return false;
}

void conferir_links_sem_grupo(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l) || link_tem_grupo(ctx, ctx.rede.nome_do_link_dado(l))) continue;
        aviso(ctx, "o link " + ctx.rede.nome_do_link_dado(l) + " não tem nenhum grupo focal a ele associado em nenhu8m nó");
    }
}

void conferir_links_dos_grupos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int g = 1; g <= ctx.rede.quant_de_grupos_dado(n); ++g) {
            for (int k = 1; k <= max_links_por_grupo; ++k) {
                const std::string& entrada = ctx.rede.nome_dos_links_do_grupo_dado(n, g, k);
                if (entrada.empty() || existe_link_com_nome(ctx, entrada)) continue;
                aviso(ctx, "o link " + entrada + ", que foi definido como link associado ao grupo " + texto_de_inteiro(g) +
                      " do nó " + texto_de_inteiro(n) + ", na verdade, não existe");
            }
        }
    }
}

void conferir_escravo(const rede_em_calculo& ctx, int n) {
    const std::string& nome = ctx.rede.nome_do_no_dado(n);
    const std::string& mestre = ctx.rede.nome_do_mestre_dado(n);

    // Um nó escravo não pode ser mestre de outro escravo (nem de si mesmo). Só conta o mestre de
    // um escravo: o arquivo grava "-" como mestre de todo nó que não é escravo, e um nó que
    // deixou de ser escravo guarda o nome do mestre que tinha.
    for (int j = 1; j <= ctx.rede.max_indice_no; ++j)
        if (no_em_uso(ctx, j) && ctx.rede.eh_no_escravo_dado(j) && nomes_iguais(ctx.rede.nome_do_mestre_dado(j), nome))
            aviso(ctx, "o nó " + nome + " é, ao mesmo tempo, escravo e mestre, o que não é permitido");

    if (!existe_no_com_nome(ctx, mestre))
        aviso(ctx, "não existe o nó " + mestre + " que foi definido como mestre do nó " + nome);

    if (intervalo_invalido(ctx.rede.intervalo_do_escravo_dado(n), ctx.rede.quant_de_intervalos_antes_dado(n)))
        aviso(ctx, "não existe o intervalo " + texto_de_inteiro(ctx.rede.intervalo_do_escravo_dado(n)) +
              " que foi definido como intervalo correspondente ao nó escravo " + nome);

    for (int j = 1; j <= ctx.rede.max_indice_no; ++j) {
        if (!no_em_uso(ctx, j) || !nomes_iguais(ctx.rede.nome_do_no_dado(j), mestre)) continue;
        if (intervalo_invalido(ctx.rede.intervalo_do_mestre_dado(n), ctx.rede.quant_de_intervalos_antes_dado(j)))
            aviso(ctx, "não existe o intervalo " + texto_de_inteiro(ctx.rede.intervalo_do_mestre_dado(n)) +
                  " que foi definido como intervalo do mestre do nó escravo " + nome);
    }
}

void conferir_demanda(const rede_em_calculo& ctx, int n) {
    const std::string& nome = ctx.rede.nome_do_no_dado(n);
    if (intervalo_invalido(ctx.rede.intervalo_demandado_dado(n), ctx.rede.quant_de_intervalos_antes_dado(n)))
        aviso(ctx, "não existe o intervalo " + texto_de_inteiro(ctx.rede.intervalo_demandado_dado(n)) +
              " que foi definido como intervalo demandado do nó " + nome);
    // O intervalo beneficiado também precisa existir, esteja o demandado certo ou não.
    if (intervalo_invalido(ctx.rede.intervalo_beneficiado_dado(n), ctx.rede.quant_de_intervalos_antes_dado(n)))
        aviso(ctx, "não existe o intervalo " + texto_de_inteiro(ctx.rede.intervalo_beneficiado_dado(n)) +
              " que foi definido como intervalo beneficiado do nó " + nome);
}

void conferir_escravos_e_demandas(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        if (ctx.rede.eh_no_escravo_dado(n)) conferir_escravo(ctx, n);
        if (ctx.rede.eh_no_demandado_dado(n)) conferir_demanda(ctx, n);
    }
}

void conferir_nos_sem_chegada(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        bool tem_chegada = false;
        for (int l = 1; l <= ctx.rede.max_indice_link && !tem_chegada; ++l)
            tem_chegada = link_em_uso(ctx, l) && nomes_iguais(ctx.rede.nome_do_no_destino_dado(l), ctx.rede.nome_do_no_dado(n));
        if (!tem_chegada) aviso(ctx, "o nó " + ctx.rede.nome_do_no_dado(n) + " não é nó destino de nenhum link");
    }
}

void conferir_pontas_dos_links(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        if (!existe_no_com_nome(ctx, ctx.rede.nome_do_no_destino_dado(l))) aviso(ctx, "o link " + ctx.rede.nome_do_link_dado(l) + " não tem nó destino");
        // Origem vazia marca um link de entrada; só brancos não.
        const std::string& origem = ctx.rede.nome_do_no_origem_dado(l);
        if (!origem.empty() && !existe_no_com_nome(ctx, origem)) aviso(ctx, "o link " + ctx.rede.nome_do_link_dado(l) + " não tem nó origem");
    }
}

void conferir_nomes_repetidos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int j = 1; j <= ctx.rede.max_indice_no; ++j) {
            if (j == n || !no_em_uso(ctx, j) || !nomes_iguais(ctx.rede.nome_do_no_dado(j), ctx.rede.nome_do_no_dado(n))) continue;
            aviso(ctx, "o mesmo nome " + ctx.rede.nome_do_no_dado(n) + " é usado para mais de um nó");
            break;
        }
    }
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        for (int m = 1; m <= ctx.rede.max_indice_link; ++m) {
            if (m == l || !link_em_uso(ctx, m) || !nomes_iguais(ctx.rede.nome_do_link_dado(m), ctx.rede.nome_do_link_dado(l))) continue;
            aviso(ctx, "o mesmo nome " + ctx.rede.nome_do_link_dado(l) + " é usado para mais de um link");
            break;
        }
    }
}

// Dois links com as mesmas pontas não podem estar no mesmo grupo: o diagrama de barras não
// os distingue.
void conferir_links_paralelos(const rede_em_calculo& ctx) {
    for (int k = 1; k <= ctx.rede.max_indice_link; ++k) {
        if (!link_em_uso(ctx, k) || ctx.rede.nome_do_no_origem_dado(k).empty()) continue;
        for (int m = 1; m <= ctx.rede.max_indice_link; ++m) {
            if (m == k || !link_em_uso(ctx, m)) continue;
            if (!nomes_iguais(ctx.rede.nome_do_no_origem_dado(k), ctx.rede.nome_do_no_origem_dado(m)) ||
                !nomes_iguais(ctx.rede.nome_do_no_destino_dado(k), ctx.rede.nome_do_no_destino_dado(m)))
                continue;
            for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
                if (!no_em_uso(ctx, n)) continue;
                for (int g = 1; g <= ctx.rede.quant_de_grupos_dado(n); ++g)
                    for (int s = 1; s <= max_links_por_grupo - 1; ++s)
                        for (int t = s + 1; t <= max_links_por_grupo; ++t)
                            if (nomes_iguais(ctx.rede.nome_dos_links_do_grupo_dado(n, g, s), ctx.rede.nome_do_link_dado(k)) &&
                                nomes_iguais(ctx.rede.nome_dos_links_do_grupo_dado(n, g, t), ctx.rede.nome_do_link_dado(m)))
                                aviso(ctx, "os links " + ctx.rede.nome_do_link_dado(k) + "e " + ctx.rede.nome_do_link_dado(m) +
                                      " têm mesmos nós origem e destino e seus nós destino apresentam a mesma "
                                      "configuração do diagrama de barras, o que não é permitido");
            }
        }
    }
}

// O fluxo que um link fornece segue pelo nó a que ele chega: cada recebedor tem de sair desse
// nó (um link de entrada não sai de nó nenhum). Um recebedor que não existe e uma ponta que
// não é nó já têm o seu aviso.
void conferir_recebedores_fora_do_destino(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        const std::string& destino = ctx.rede.nome_do_no_destino_dado(l);
        if (!link_em_uso(ctx, l) || !existe_no_com_nome(ctx, destino)) continue;
        for (int k = 1; k <= max_recebedores; ++k) {
            const std::string& recebedor = ctx.rede.nome_do_recebedor_dado(l, k);
            if (recebedor.empty()) continue;
            bool com_origem = false;
            bool sai_do_destino = false;
            for (int m = 1; m <= ctx.rede.max_indice_link; ++m) {
                if (!link_em_uso(ctx, m) || !nomes_iguais(ctx.rede.nome_do_link_dado(m), recebedor)) continue;
                const std::string& origem = ctx.rede.nome_do_no_origem_dado(m);
                com_origem = com_origem || origem.empty() || existe_no_com_nome(ctx, origem);
                sai_do_destino = sai_do_destino || nomes_iguais(origem, destino);
            }
            if (com_origem && !sai_do_destino)
                aviso(ctx, "o link " + recebedor + ", que foi definido como recebedor do link " + ctx.rede.nome_do_link_dado(l) +
                      ", não sai do nó " + destino + ", a que o link " + ctx.rede.nome_do_link_dado(l) + " chega");
        }
    }
}

// Um grupo só controla links que chegam ao seu nó. Um link que não existe e um destino que não
// é nó já têm o seu aviso.
void conferir_grupos_fora_do_destino(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        const std::string& nome = ctx.rede.nome_do_no_dado(n);
        for (int g = 1; g <= ctx.rede.quant_de_grupos_dado(n); ++g) {
            for (int k = 1; k <= max_links_por_grupo; ++k) {
                const std::string& entrada = ctx.rede.nome_dos_links_do_grupo_dado(n, g, k);
                if (entrada.empty()) continue;
                bool com_destino = false;
                bool chega = false;
                for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
                    if (!link_em_uso(ctx, l) || !nomes_iguais(ctx.rede.nome_do_link_dado(l), entrada)) continue;
                    com_destino = com_destino || existe_no_com_nome(ctx, ctx.rede.nome_do_no_destino_dado(l));
                    chega = chega || nomes_iguais(ctx.rede.nome_do_no_destino_dado(l), nome);
                }
                if (com_destino && !chega)
                    aviso(ctx, "o link " + entrada + ", que foi definido como link associado ao grupo " + texto_de_inteiro(g) +
                          " do nó " + nome + ", não chega a esse nó");
            }
        }
    }
}

// --- O que a confirmação dos editores exige e um arquivo pode não ter ---
//
// Um link ou um nó desenhado e nunca editado vai ao arquivo como está, e a abertura o aceita;
// um nó de um arquivo pode vir sem as cores, as durações ou os links que o editor exige. Nenhuma
// etapa do cálculo roda sobre eles: cada regra do editor que falta dá o seu aviso, com o nome
// do elemento.

bool link_nunca_editado(const rede_em_calculo& ctx, int l) {
    bool vazio = ctx.rede.nome_do_link_dado(l).empty() && ctx.rede.nome_do_no_origem_dado(l).empty() &&
                 ctx.rede.nome_do_no_destino_dado(l).empty() && ctx.rede.verde_de_seguranca_dado(l) == 0 && ctx.rede.fluxo_dado(l) == 0 &&
                 ctx.rede.fluxo_de_saturacao_dado(l) == 0 && ctx.rede.t_de_percurso_dado(l) == 0 && ctx.rede.capacidade_da_caixa_dado(l) == 0;
    for (int k = 1; k <= max_recebedores; ++k)
        vazio = vazio && ctx.rede.nome_do_recebedor_dado(l, k).empty() && ctx.rede.valor_do_fornecimento_dado(l, k) == 0;
    return vazio;
}

void conferir_elementos_nunca_editados(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
        if (no_em_uso(ctx, n) && ctx.rede.quant_de_grupos_dado(n) == 0)
            aviso(ctx, "faltam os dados do nó número " + texto_de_inteiro(n) + ", que nunca foi editado");
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
        if (link_em_uso(ctx, l) && link_nunca_editado(ctx, l))
            aviso(ctx, "faltam os dados do link número " + texto_de_inteiro(l) + ", que nunca foi editado");
}

// As regras do diagrama de barras de um nó editado, como o editor de nó as confere.
void conferir_diagrama_do_no(const rede_em_calculo& ctx, int n) {
    const std::string do_no = " (nó " + ctx.rede.nome_do_no_dado(n) + ")";
    const int q = ctx.rede.quant_de_grupos_dado(n);
    const int intervalos = ctx.rede.quant_de_intervalos_antes_dado(n);
    auto cor = [&ctx, n](int g, int k) { return ctx.rede.cor_do_intervalo_do_grupo_dado(n, g, k); };


    // Um intervalo sem cor num grupo ativo deixaria os links do grupo sem verde nenhum.
    bool sem_cor = false;
    for (int k = 1; k <= intervalos; ++k)
        for (int g = 1; g <= q; ++g) sem_cor = sem_cor || cor(g, k) == cor_nao_definida;
    if (sem_cor) aviso(ctx, "falta definir a cor de algum intervalo" + do_no);
}

void conferir_diagramas_dos_nos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
        if (no_em_uso(ctx, n) && ctx.rede.quant_de_grupos_dado(n) > 0) conferir_diagrama_do_no(ctx, n);
}

// O que mais o editor de nó exige de um nó editado: os links de cada grupo (um grupo sem links
// mudaria os verdes dos outros) e a duração fixada do intervalo demandado. Um aviso por regra
// e por nó, com o nome do nó.
void conferir_grupos_sem_links(const rede_em_calculo& ctx, int n, const std::string& do_no) {
    for (int g = 1; g <= ctx.rede.quant_de_grupos_dado(n); ++g) {
        bool vazio = true;
        for (int k = 1; k <= max_links_por_grupo; ++k) vazio = vazio && ctx.rede.nome_dos_links_do_grupo_dado(n, g, k).empty();
        if (vazio) aviso(ctx, "falta definir os links corrrespondentes ao grupo " + texto_de_inteiro(g) + do_no);
    }
}

void conferir_duracoes_do_no(const rede_em_calculo& ctx, int n, const std::string& do_no) {
    const int intervalos = ctx.rede.quant_de_intervalos_antes_dado(n);
    if (ctx.rede.eh_no_demandado_dado(n)) {
        // Um demandado fora dos intervalos já tem o seu aviso.
        const int d = ctx.rede.intervalo_demandado_dado(n);
        if (d >= 1 && d <= intervalos && ctx.rede.duracao_imposta_dado(n, d) == 0)
            aviso(ctx, "o intervalo demandado deve ter sua duração fixada" + do_no);
    }
}

// As durações que o editor de nó exige: sem elas o cálculo daria aos amarelos e aos intervalos
// sem verde um tempo que ninguém impôs.
void conferir_intervalos_sem_duracao(const rede_em_calculo& ctx, int n, const std::string& do_no) {
    bool alguma_imposta = false;
    bool amarelo_livre = false;
    bool sem_verde_livre = false;
    for (int k = 1; k <= ctx.rede.quant_de_intervalos_antes_dado(n); ++k) {
        const bool livre = ctx.rede.duracao_imposta_dado(n, k) == 0;
        alguma_imposta = alguma_imposta || !livre;
        bool tem_verde = false;
        for (int g = 1; g <= ctx.rede.quant_de_grupos_dado(n); ++g) {
            const Byte cor = ctx.rede.cor_do_intervalo_do_grupo_dado(n, g, k);
            tem_verde = tem_verde || cor == cor_verde;
            amarelo_livre = amarelo_livre || (livre && cor == cor_amarelo);
        }
        sem_verde_livre = sem_verde_livre || (livre && !tem_verde);
    }
    if (!alguma_imposta) aviso(ctx, "deve existir, pelo menos, um intervalo com duração imposta pelo usuário" + do_no);
    if (amarelo_livre)
        aviso(ctx, "intervalos que possuem amarelo em algum grupo devem ter sua duração imposta pelo usuário" + do_no);
    if (sem_verde_livre)
        aviso(ctx, "intervalos que não possuem verde em nenhum grupo devem ter sua duração imposta pelo usuário" + do_no);
}

void conferir_regras_dos_nos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n) || ctx.rede.quant_de_grupos_dado(n) == 0) continue;
        const std::string do_no = " (nó " + ctx.rede.nome_do_no_dado(n) + ")";
        conferir_duracoes_do_no(ctx, n, do_no);
        conferir_grupos_sem_links(ctx, n, do_no);
        conferir_intervalos_sem_duracao(ctx, n, do_no);
    }
}

// O verde de segurança 0 de um link editado só vem de um arquivo: o editor de link pede de 1 a
// 99 s. O link nunca editado já tem o seu aviso.
void conferir_verdes_de_seguranca(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l) || link_nunca_editado(ctx, l)) continue;
        if (!faixa_verde_de_seguranca.contem(ctx.rede.verde_de_seguranca_dado(l)))
            aviso(ctx, "o verde de segurança deve estar compreendido entre 1 e 99 s (link " + ctx.rede.nome_do_link_dado(l) + ")");
    }
}

}  // namespace

void validar_rede(const rede_em_calculo& ctx) {
    ctx.projeto.dados_ok = true;
    const bool completa = com_codigo(ctx.observador, "Erro 154", [&] {
        conferir_quantidades(ctx);
        conferir_duracoes_impostas(ctx);
        conferir_recebedores(ctx);
        conferir_links_sem_grupo(ctx);
        conferir_links_dos_grupos(ctx);
        conferir_escravos_e_demandas(ctx);
        conferir_nos_sem_chegada(ctx);
        conferir_pontas_dos_links(ctx);
        conferir_nomes_repetidos(ctx);
        conferir_links_paralelos(ctx);
        conferir_recebedores_fora_do_destino(ctx);
        conferir_grupos_fora_do_destino(ctx);
        conferir_elementos_nunca_editados(ctx);
        conferir_diagramas_dos_nos(ctx);
        conferir_regras_dos_nos(ctx);
        conferir_verdes_de_seguranca(ctx);
    });
    if (!completa) ctx.projeto.dados_ok = false;
}

}  // namespace orvel
