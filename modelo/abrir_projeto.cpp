#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "modelo/armazenamento_xml.h"
#include "modelo/chaves_do_projeto.h"
#include "modelo/limites_dos_valores.h"
#include "modelo/limpar_rede.h"
#include "modelo/projeto.h"
#include "plataforma/falha.h"
#include "plataforma/textos.h"

namespace orvel {

namespace {

// --- Regras de leitura ---

double numero(const std::string& t) { return ler_numero_do_arquivo(t); }

// Cada item de uma lista, em ordem, enquanto f devolve true: cada item termina numa vírgula; o
// que vem depois da última não conta. Os itens não são guardados: uma lista de megabytes não
// ocupa dezenas de vezes o seu tamanho.
template <class F>
void cada_item(std::string_view lista, F&& f) {
    std::size_t inicio = 0;
    for (std::size_t virgula; (virgula = lista.find(',', inicio)) != std::string_view::npos; inicio = virgula + 1)
        if (!f(std::string(lista.substr(inicio, virgula - inicio)))) return;
}

// Os itens de uma lista, só até um além do máximo: o bastante para saber que ela passa dele.
std::vector<std::string> itens(std::string_view lista, std::size_t maximo) {
    std::vector<std::string> v;
    cada_item(lista, [&](std::string item) {
        v.push_back(std::move(item));
        return v.size() <= maximo;
    });
    return v;
}

// O valor como o aviso o mostra: um valor de megabytes, que nenhuma caixa de mensagem mostra,
// sai com os seus primeiros 100 caracteres e "…".
std::string como_o_aviso_mostra(std::string valor) {
    std::size_t caracteres = 0;
    for (std::size_t i = 0; i < valor.size(); ++i)
        if ((static_cast<unsigned char>(valor[i]) & 0xC0) != 0x80 && ++caracteres > 100) {
            valor.resize(i);
            return valor + "…";
        }
    return valor;
}

// Faixas dos tipos: um valor que não cabe no seu tipo é recusado como um fora da faixa.
constexpr faixa_de_valor faixa_de_byte{0, 255};
constexpr faixa_de_valor faixa_de_integer{-32768, 32767};
const std::string fora_de_single = "grande demais para um número de precisão simples";

std::string fora_da(const faixa_de_valor& faixa) { return "fora da faixa " + texto_da_faixa(faixa); }

bool numero_na_faixa(const std::string& texto, const faixa_de_valor& faixa) {
    try {
        return faixa.aceita_no_arquivo(ler_numero_do_arquivo(texto));
    } catch (const falha&) {
        return false;  // nem cabe num número
    }
}

// O primeiro valor que os diálogos não deixariam entrar ("" na chave: nenhum).
struct valor_recusado {
    std::string elemento, chave, valor, motivo;
};

// Lê cada chave da volta para o campo da rede lida e guarda o primeiro valor que os diálogos
// não aceitariam: a abertura é então recusada, com o aviso dele, e a rede lida descartada. Um
// número que não cabe no seu campo é lido como 0, para que a leitura chegue ao fim.
class leitor {
public:
    leitor(const documento_de_projeto& doc, contexto_da_rede& lido) : doc_(doc), lido_(lido) {}

    valor_recusado recusado;

    void recusar(std::string_view elemento, std::string_view chave, std::string valor, std::string motivo) {
        if (!recusado.chave.empty()) return;  // o aviso fala do primeiro
        recusado = {std::string(elemento), std::string(chave), como_o_aviso_mostra(std::move(valor)), std::move(motivo)};
    }

    void operator()(const lugar_da_chave& l) {
        const std::string texto = doc_.ler(l.elemento, l.nome);
        conferir(l, texto);
        ler(l, texto);
    }

private:
    campo_da_chave campo(campo_da_chave (*acesso)(contexto_da_rede&, int, int), const lugar_da_chave& l) {
        return acesso(lido_, l.posicao, l.k);
    }

    // A faixa da chave (numa lista, a de cada item) e os nomes de link contra o que as listas dos
    // grupos podem guardar.
    void conferir(const lugar_da_chave& l, const std::string& texto) {
        const chave_do_projeto& ch = l.chave;
        if (ch.forma == forma_do_texto::nome_de_link) {
            if (const auto c = caracter_que_o_arquivo_nao_guarda(texto, uso_do_nome::link))
                recusar(l.elemento, l.nome, texto, "com o caracter " + *c);
            return;
        }
        if (!ch.faixa) return;
        if (ch.forma == forma_do_texto::lista_por_intervalo) {
            // Um item além dos da tabela a leitura recusa.
            for (const std::string& item : itens(texto, limite_de_intervalos))
                if (!numero_na_faixa(item, *ch.faixa)) return recusar(l.elemento, l.nome, item, fora_da(*ch.faixa));
            return;
        }
        if (!numero_na_faixa(texto, *ch.faixa)) recusar(l.elemento, l.nome, texto, fora_da(*ch.faixa));
    }

    // O número de um texto no tipo do campo; o que não cabe é recusado e lido como 0.
    template <class T>
    T converter(const lugar_da_chave& l, const std::string& texto) {
        try {
            if constexpr (std::is_same_v<T, Byte>) return para_byte(numero(texto));
            else if constexpr (std::is_same_v<T, Integer>) return para_integer(numero(texto));
            else return verificar_single(numero(texto));
        } catch (const falha&) {
            recusar(l.elemento, l.nome, texto,
                    std::is_same_v<T, Byte> ? fora_da(faixa_de_byte)
                    : std::is_same_v<T, Integer> ? fora_da(faixa_de_integer)
                                                 : fora_de_single);
            return T{};
        }
    }

    void ler_numero(const lugar_da_chave& l, const campo_da_chave& v, const std::string& texto) {
        std::visit(
            [&](auto* p) {
                using T = std::remove_cvref_t<decltype(*p)>;
                if constexpr (std::is_same_v<T, Byte> || std::is_same_v<T, Integer> || std::is_same_v<T, Single>)
                    *p = converter<T>(l, texto);
                else
                    falhar(tipo_de_falha::tipos_incompativeis);
            },
            v);
    }

    // Marca os índices que a lista traz, de 0 (quando conta) até o último da tabela; um item fora
    // deles é recusado.
    void marcar(const lugar_da_chave& l, const std::string& texto, bool* marcas, int ultimo, bool zero_conta) {
        const faixa_de_valor faixa{0, double(ultimo)};
        cada_item(texto, [&](const std::string& item) {
            const Integer i = converter<Integer>(l, item);
            if (i == 0 && !zero_conta) return true;
            if (faixa.contem(i))
                marcas[i] = true;
            else
                recusar(l.elemento, l.nome, item, fora_da(faixa));
            return recusado.chave.empty();  // recusado, o resto da lista não muda nada
        });
    }

    void ler(const lugar_da_chave& l, const std::string& texto) {
        const chave_do_projeto& ch = l.chave;
        const campo_da_chave v = campo(ch.campo, l);
        // O texto de uma lista vai também à variável da lista.
        auto guardar_a_lista = [&] {
            if (ch.outro_campo) *std::get<std::string*>(campo(ch.outro_campo, l)) = texto;
        };
        switch (ch.forma) {
            case forma_do_texto::texto:
            case forma_do_texto::nome_de_link:
            case forma_do_texto::empatados:
            case forma_do_texto::nome_do_arquivo:
                *std::get<std::string*>(v) = texto;
                if (ch.condicao == condicao_da_chave::recebedor) {
                    // "-" é nenhum recebedor, e o seu fornecimento é 0.
                    sem_recebedor_ = texto == "-";
                    if (sem_recebedor_) std::get<std::string*>(v)->clear();
                }
                return;
            case forma_do_texto::texto_ou_traco: *std::get<std::string*>(v) = texto == "-" ? std::string() : texto; return;
            case forma_do_texto::numero:
            case forma_do_texto::numero_ou_traco:
                ler_numero(l, v, texto);
                if (ch.condicao == condicao_da_chave::recebedor && sem_recebedor_) *std::get<Single*>(v) = 0;
                return;
            case forma_do_texto::booleano: *std::get<bool*>(v) = texto == "True"; return;
            case forma_do_texto::sim_nao: *std::get<bool*>(v) = texto == "sim"; return;
            case forma_do_texto::relacao: {
                guardar_a_lista();
                // O item 0 não é posição nenhuma.
                marcar(l, texto, std::get<bool*>(v), ch.parte == parte_do_arquivo::links ? max_links : max_nos, false);
                return;
            }
            case forma_do_texto::lista_de_nomes: {
                guardar_a_lista();
                const std::vector<std::string> nomes = itens(texto, max_links_por_grupo);
                if (nomes.size() > max_links_por_grupo) {
                    recusar(l.elemento, l.nome, texto, "com mais de " + texto_de_inteiro(max_links_por_grupo) + " links");
                    return;
                }
                std::string* destino = std::get<std::string*>(v);
                for (std::size_t k = 0; k < nomes.size(); ++k) destino[k + 1] = nomes[k];
                return;
            }
            case forma_do_texto::lista_de_colunas: {
                guardar_a_lista();
                marcar(l, texto, std::get<bool*>(v), max_colunas, true);
                return;
            }
            case forma_do_texto::lista_por_intervalo: {
                guardar_a_lista();
                // Mais itens do que intervalos na tabela é recusado.
                const std::vector<std::string> lista = itens(texto, limite_de_intervalos);
                if (lista.size() > limite_de_intervalos) {
                    recusar(l.elemento, l.nome, texto, "com mais de " + texto_de_inteiro(limite_de_intervalos) + " itens");
                    return;
                }
                std::visit(
                    [&](auto* p) {
                        using T = std::remove_cvref_t<decltype(*p)>;
                        if constexpr (std::is_same_v<T, Byte> || std::is_same_v<T, Integer>)
                            for (std::size_t k = 0; k < lista.size(); ++k) p[k + 1] = converter<T>(l, lista[k]);
                        else
                            falhar(tipo_de_falha::tipos_incompativeis);
                    },
                    v);
                return;
            }
            case forma_do_texto::numero_em_texto:
                // Um texto de resultado vazio (projeto ainda não processado) continua vazio: vira
                // "0" só o que tem algum número, para que abrir e salvar não invente resultados.
                try {
                    *std::get<std::string*>(v) = texto.empty() ? std::string() : texto_de_double(numero(texto));
                } catch (const falha&) {
                    recusar(l.elemento, l.nome, texto, fora_de_single);
                }
                if (ch.outro_campo) ler_numero(l, campo(ch.outro_campo, l), texto);
                return;
            case forma_do_texto::texto_com_numero:
                *std::get<std::string*>(v) = texto;
                ler_numero(l, campo(ch.outro_campo, l), texto);
                return;
            case forma_do_texto::percentagem:
                *std::get<std::string*>(v) = texto;
                try {
                    *std::get<Single*>(campo(ch.outro_campo, l)) = verificar_single(numero(texto) / 100.0);
                } catch (const falha&) {
                    recusar(l.elemento, l.nome, texto, fora_de_single);
                }
                return;
            case forma_do_texto::periodo_de_verde: *std::get<std::string*>(v) = texto == "-" ? std::string("0") : texto; return;
            case forma_do_texto::estourou: {
                const bool estourou = texto == "sim";
                *std::get<std::string*>(v) = estourou ? "True" : "False";
                *std::get<bool*>(campo(ch.outro_campo, l)) = estourou;
                return;
            }
        }
    }

    const documento_de_projeto& doc_;
    contexto_da_rede& lido_;
    bool sem_recebedor_ = false;
};

// Por que o arquivo não é aberto como projeto; "" quando ele é um projeto. Um projeto tem os
// elementos sem espaço de nomes: a folha de estilo do relatório os procura assim.
std::string por_que_nao_e_projeto(const documento_de_projeto& doc, const std::string& caminho) {
    const std::string arquivo = "o arquivo " + parte_do_nome_do_arquivo(caminho);
    switch (doc.carga()) {
        case resultado_da_carga::carregado: {
            // O espaço de nomes antes do nome da raiz: um "p:rss" é dito pelo seu espaço.
            const std::string espaco = doc.espaco_de_nomes_de_um_elemento();
            if (!espaco.empty()) return arquivo + " tem elementos no espaço de nomes " + espaco;
            if (!doc.eh_projeto()) return arquivo + " não é um projeto do ORVEL";
            return "";
        }
        case resultado_da_carga::espacos_de_nomes_mal_formados: {
            const std::string& prefixo = doc.detalhe_da_carga();
            if (!prefixo.empty()) return arquivo + " usa o prefixo " + prefixo + " sem declarar o seu espaço de nomes";
            return arquivo + " não é um documento XML bem formado quanto aos espaços de nomes";
        }
        case resultado_da_carga::codificacao_nao_lida:
            return arquivo + " usa a codificação " + doc.detalhe_da_carga() + ", que o programa não lê";
        case resultado_da_carga::bytes_invalidos:
            return arquivo + " tem bytes que não valem na codificação " + doc.detalhe_da_carga();
        case resultado_da_carga::marca_utf8_com_outra_declaracao:
            return arquivo + " começa com a marca de ordem dos bytes do UTF-8 e declara a codificação " +
                   doc.detalhe_da_carga() + ", mas tem bytes que não valem em UTF-8";
        case resultado_da_carga::grande_demais:
            return arquivo + " passa de " + texto_de_inteiro(static_cast<long long>(limite_de_bytes_de_um_arquivo >> 20)) +
                   " MB";
        case resultado_da_carga::mal_formado: return arquivo + " não é um documento XML bem formado";
        case resultado_da_carga::com_doctype: return arquivo + " tem uma declaração DOCTYPE";
        case resultado_da_carga::elementos_demais: return arquivo + " tem elementos demais";
        case resultado_da_carga::profundo_demais: return arquivo + " tem elementos uns dentro dos outros em níveis demais";
        case resultado_da_carga::atributos_demais: return arquivo + " tem um elemento com atributos demais";
        case resultado_da_carga::atributos_demais_no_documento: return arquivo + " tem atributos demais";
        case resultado_da_carga::outros_nos_demais:
            return arquivo + " tem comentários, instruções ou seções CDATA demais";
        case resultado_da_carga::espacos_de_nomes_demais: return arquivo + " declara espaços de nomes demais";
        case resultado_da_carga::inexistente:
        case resultado_da_carga::ilegivel: break;
    }
    return "não foi possível ler " + arquivo;
}

// As contagens valem o que as relações dizem; os máximos cobrem ao menos a maior posição listada.
void contar_posicoes(rede_dada& g) {
    g.total_de_nos_dado = 0;
    g.total_de_links_dado = 0;
    for (int n = 1; n <= max_nos; ++n)
        if (g.existe_no(n)) {
            g.total_de_nos_dado = para_byte(g.total_de_nos_dado + 1);
            if (g.max_indice_no < n) g.max_indice_no = static_cast<Byte>(n);
        }
    for (int l = 1; l <= max_links; ++l)
        if (g.existe_link(l)) {
            g.total_de_links_dado = para_byte(g.total_de_links_dado + 1);
            if (g.max_indice_link < l) g.max_indice_link = static_cast<Byte>(l);
        }
}

// --- Regras da confirmação dos diálogos, sobre a rede lida ---
//
// Um registro que os diálogos confirmaram segue todas as regras da confirmação; um link ou um
// nó desenhado e nunca editado fica como o desenho o criou (tudo 0 e vazio), e é o
// "Processar" que o recusa. Aqui ficam as regras que fazem o cálculo falhar ou calcular de um
// valor que o usuário não poderia entrar; as cores dos intervalos de um nó são conferidas pela
// validação do "Processar", que também recusa os registros nunca editados.
class conferencia {
public:
    conferencia(leitor& ler, contexto_da_rede& lido) : ler_(ler), lido_(lido), g_(lido.rede) {}

    void opcoes() {
        recusar_se(g_.t_de_ciclo_imposto_dado > 0 && g_.t_de_ciclo_maximo_imposto_dado > 0 &&
                       g_.t_de_ciclo_imposto_dado > g_.t_de_ciclo_maximo_imposto_dado,
                   &g_.t_de_ciclo_imposto_dado, 0, texto_de_inteiro(g_.t_de_ciclo_imposto_dado),
                   mensagem_ciclo_imposto_acima_do_maximo);
    }

    void link(int l) {
        dono_ = dono_da_posicao::link;
        if (link_nunca_editado(l)) return;
        const std::string& nome = g_.nome_do_link_dado(l);
        const std::string& origem = g_.nome_do_no_origem_dado(l);
        const std::string& destino = g_.nome_do_no_destino_dado(l);
        const Single fluxo = g_.fluxo_dado(l);
        const Single saturacao = g_.fluxo_de_saturacao_dado(l);
        recusar_se(nome_em_branco(nome), &g_.nome_do_link_dado(l), l, nome, mensagem_link_sem_nome);
        recusar_se(nome_em_branco(destino), &g_.nome_do_no_destino_dado(l), l, destino, mensagem_link_sem_no_destino);
        recusar_se(nomes_iguais(origem, destino), &g_.nome_do_no_origem_dado(l), l, origem,
                   mensagem_origem_igual_ao_destino);
        fora_da_regra(regra_do_fluxo, fluxo, &g_.fluxo_dado(l), l, texto_de_single(fluxo));
        fora_da_regra(regra_do_fluxo_de_saturacao, saturacao, &g_.fluxo_de_saturacao_dado(l), l, texto_de_single(saturacao));
        recusar_se(saturacao < fluxo, &g_.fluxo_de_saturacao_dado(l), l, texto_de_single(saturacao),
                   mensagem_fluxo_acima_da_saturacao);
        if (!origem.empty()) {
            fora_da_regra(regra_do_t_de_percurso, g_.t_de_percurso_dado(l), &g_.t_de_percurso_dado(l), l,
                          texto_de_inteiro(g_.t_de_percurso_dado(l)));
            fora_da_regra(regra_da_capacidade_da_caixa, g_.capacidade_da_caixa_dado(l), &g_.capacidade_da_caixa_dado(l), l,
                          texto_de_inteiro(g_.capacidade_da_caixa_dado(l)));
        }
        for (int r = 1; r <= max_recebedores; ++r) {
            const bool sem_nome = g_.nome_do_recebedor_dado(l, r).empty();
            Single& fornecimento = g_.valor_do_fornecimento_dado(l, r);
            recusar_se(!sem_nome && fornecimento == 0, &fornecimento, l, texto_de_single(fornecimento),
                       mensagem_fornecimento_sem_valor);
            recusar_se(sem_nome && fornecimento != 0, &fornecimento, l, texto_de_single(fornecimento),
                       mensagem_fornecimento_sem_recebedor);
        }
    }

    // Um nó desenhado e nunca editado tem 0 grupos e 0 intervalos; um nó confirmado tem os dois.
    void no(int n) {
        dono_ = dono_da_posicao::no;
        const Byte grupos = g_.quant_de_grupos_dado(n);
        if ((grupos == 0) != (g_.quant_de_intervalos_antes_dado(n) == 0)) {
            const bool sem_grupos = grupos == 0;
            recusar(sem_grupos ? static_cast<const void*>(&g_.quant_de_grupos_dado(n)) : &g_.quant_de_intervalos_antes_dado(n), n,
                    "0", fora_da(sem_grupos ? faixa_quant_de_grupos : faixa_quant_de_intervalos));
        }
        if (grupos == 0) {
            if (!g_.nome_do_no_dado(n).empty()) recusar(&g_.quant_de_grupos_dado(n), n, "0", fora_da(faixa_quant_de_grupos));
            return;
        }
        recusar_se(nome_em_branco(g_.nome_do_no_dado(n)), &g_.nome_do_no_dado(n), n, g_.nome_do_no_dado(n),
                   mensagem_no_sem_nome);
        if (g_.eh_no_escravo_dado(n)) {
            recusar_se(nome_em_branco(g_.nome_do_mestre_dado(n)), &g_.nome_do_mestre_dado(n), n, g_.nome_do_mestre_dado(n),
                       mensagem_escravo_sem_mestre);
            recusar_se(g_.intervalo_do_escravo_dado(n) == 0, &g_.intervalo_do_escravo_dado(n), n, "0",
                       regra_do_intervalo_do_escravo.mensagem);
            recusar_se(g_.intervalo_do_mestre_dado(n) == 0, &g_.intervalo_do_mestre_dado(n), n, "0",
                       regra_do_intervalo_do_mestre.mensagem);
        }
        if (g_.eh_no_demandado_dado(n)) {
            const int d = g_.intervalo_demandado_dado(n);
            const int b = g_.intervalo_beneficiado_dado(n);
            recusar_se(d == 0, &g_.intervalo_demandado_dado(n), n, "0",
                       regra_do_intervalo_demandado.mensagem);
            recusar_se(b == 0, &g_.intervalo_beneficiado_dado(n), n, "0",
                       regra_do_intervalo_beneficiado.mensagem);
            recusar_se(b > 0 && g_.duracao_imposta_dado(n, b) > 0, &g_.duracao_imposta_dado(n, 0), n,
                       texto_de_inteiro(b > 0 ? g_.duracao_imposta_dado(n, b) : 0),
                       mensagem_beneficiado_com_duracao_fixada);
            for (int gr = 1; gr <= grupos && gr <= max_grupos; ++gr)
                recusar_se(d > 0 && g_.cor_do_intervalo_do_grupo_dado(n, gr, d) == cor_amarelo,
                           &g_.cor_do_intervalo_do_grupo_dado(n, gr, 0), n, texto_de_inteiro(cor_amarelo),
                           mensagem_demandado_com_amarelo);
        }
    }

    // Resultados que nenhuma execução dá: as vistas os usariam sem processar de novo. Só se
    // confere o que uma execução nunca grava; o que ela pode gravar (durações que, com os verdes
    // de segurança, passam do ciclo) abre, e as chaves dcd além dos intervalos do nó, que o
    // salvamento mantém e nada lê, não são conferidas.
    void resultados() {
        dono_ = dono_da_posicao::no;
        auto fora = [&](const void* campo, int posicao, double v, const faixa_de_valor& faixa) {
            if (!faixa.contem(v)) recusar(campo, posicao, texto_de_double(v), fora_da(faixa));
        };
        // As cores do diagrama final, todas, mesmo sem processamento: uma execução só reescreve
        // as dos intervalos e grupos do nó e o salvamento grava o resto como foi lido, então um
        // código que nenhuma execução dá é recusado antes que uma execução o possa guardar.
        auto& cores = lido_.resultados.cor_do_intervalo_do_grupo_depois;
        for (int n = 1; n <= max_nos; ++n) {
            if (!g_.existe_no(n)) continue;
            for (int gr = 1; gr <= max_grupos; ++gr)
                for (int k = 1; k <= limite_de_intervalos; ++k) fora(&cores(n, gr, 0), n, cores(n, gr, k), faixa_codigo_de_cor);
        }
        dados_derivados& d = lido_.derivados;
        fora(&lido_.resultados.t_ciclo_da_rede_rel, 0, d.t_de_ciclo, faixa_t_de_ciclo_da_rede);
        fora(&d.periodo_de_simulacao, 0, d.periodo_de_simulacao, faixa_periodo_de_simulacao);
        // Sem ciclo (rede não processada) as vistas pedem o processamento e não leem os nós.
        const Integer C = d.t_de_ciclo;
        if (C == 0) return;
        constexpr faixa_de_valor faixa_dos_intervalos{0, max_intervalos_duplos};
        const faixa_de_valor faixa_do_ciclo{0, double(C)};
        // Uma duração nunca é negativa, e as de um nó, somadas, cabem num Integer: as vistas as
        // acumulam assim, e o cálculo também.
        constexpr faixa_de_valor faixa_das_duracoes{0, faixa_de_integer.maximo};
        const std::string soma_demais = "a soma das durações passa de " + texto_de_double(faixa_das_duracoes.maximo);
        for (int n = 1; n <= max_nos; ++n) {
            if (!g_.existe_no(n)) continue;
            fora(&d.quant_de_intervalos_depois(n), n, d.quant_de_intervalos_depois(n), faixa_dos_intervalos);
            fora(&lido_.buscas.defasagem_valendo(n), n, lido_.buscas.defasagem_valendo(n), faixa_do_ciclo);
            const int intervalos = std::min<int>(d.quant_de_intervalos_depois(n), max_intervalos_entrados);
            long soma = 0, soma_com_demanda = 0;
            for (int j = 1; j <= intervalos; ++j) {
                fora(&d.duracao_do_intervalo(n, j), n, d.duracao_do_intervalo(n, j), faixa_das_duracoes);
                fora(&d.duracao_com_demanda(n, j), n, d.duracao_com_demanda(n, j), faixa_das_duracoes);
                soma += d.duracao_do_intervalo(n, j);
                soma_com_demanda += d.duracao_com_demanda(n, j);
            }
            if (!faixa_das_duracoes.contem(double(soma)))
                recusar(&d.duracao_do_intervalo(n, 1), n, texto_de_inteiro(d.duracao_do_intervalo(n, 1)), soma_demais);
            if (!faixa_das_duracoes.contem(double(soma_com_demanda)))
                recusar(&d.duracao_com_demanda(n, 1), n, texto_de_inteiro(d.duracao_com_demanda(n, 1)), soma_demais);
        }
    }

private:
    bool link_nunca_editado(int l) const {
        bool vazio = g_.nome_do_link_dado(l).empty() && g_.nome_do_no_origem_dado(l).empty() &&
                     g_.nome_do_no_destino_dado(l).empty() && g_.verde_de_seguranca_dado(l) == 0 && g_.fluxo_dado(l) == 0 &&
                     g_.fluxo_de_saturacao_dado(l) == 0 && g_.t_de_percurso_dado(l) == 0 && g_.capacidade_da_caixa_dado(l) == 0;
        for (int r = 1; r <= max_recebedores; ++r)
            vazio = vazio && g_.nome_do_recebedor_dado(l, r).empty() && g_.valor_do_fornecimento_dado(l, r) == 0;
        return vazio;
    }

    // Recusa o valor do campo (numa lista, o começo da sua linha) com a chave que o guarda.
    void recusar(const void* campo, int posicao, std::string valor, std::string motivo) {
        const auto chave = chave_do_campo(lido_, campo, posicao == 0 ? dono_da_posicao::rede : dono_, posicao);
        if (!chave) falhar(tipo_de_falha::objeto_nao_definido);
        ler_.recusar(chave->elemento, chave->nome, std::move(valor), std::move(motivo));
    }
    void recusar_se(bool falhou, const void* campo, int posicao, std::string valor, std::string_view motivo) {
        if (falhou) recusar(campo, posicao, std::move(valor), std::string(motivo));
    }
    void fora_da_regra(const regra_de_valor& regra, double v, const void* campo, int posicao, std::string valor) {
        recusar_se(!regra.faixa.contem(v), campo, posicao, std::move(valor), regra.mensagem);
    }

    leitor& ler_;
    contexto_da_rede& lido_;
    rede_dada& g_;
    dono_da_posicao dono_ = dono_da_posicao::rede;
};

// A rede lida toma o lugar da rede c: só movimentos, que não falham. Os títulos são o nome do
// arquivo aberto, não o que ele guarda (uma cópia renomeada guarda o nome de quando foi salva).
void tomar_a_rede_lida(contexto_da_rede& c, contexto_da_rede& lido, std::string& caminho, std::string& titulo) noexcept {
    static_assert(std::is_nothrow_move_assignable_v<rede_dada> && std::is_nothrow_move_assignable_v<desenho_dado> &&
                  std::is_nothrow_move_assignable_v<listas_do_arquivo> && std::is_nothrow_move_assignable_v<dados_derivados> &&
                  std::is_nothrow_move_assignable_v<resultados_do_calculo>);
    ++c.projeto.revisao_da_rede;
    esvaziar_rede(c);
    c.rede = std::move(lido.rede);
    c.desenho = std::move(lido.desenho);
    c.listas = std::move(lido.listas);
    c.derivados = std::move(lido.derivados);
    c.resultados = std::move(lido.resultados);
    c.buscas.defasagem_valendo = std::move(lido.buscas.defasagem_valendo);
    c.projeto.caption_dos_forms = std::move(titulo);
    c.projeto.nome_do_arquivo = std::move(caminho);
    c.editor.desenhando = false;
    // Os resultados do arquivo são os da rede lida: as vistas os mostram sem processar de novo,
    // até a primeira mudança da rede. Um arquivo sem resultados (sem tempo de ciclo) abre como
    // não processado.
    c.projeto.revisao_processada = c.derivados.t_de_ciclo >= 1 ? c.projeto.revisao_da_rede : revisao_sem_resultados;
    c.projeto.projeto_alterado = false;
}

}  // namespace

resultado_do_arquivo abrir_projeto(contexto_da_rede& c, const std::string& caminho) {
    resultado_do_arquivo r;
    try {
        const documento_de_projeto doc = documento_de_projeto::para_ler(caminho);
        if (std::string texto = por_que_nao_e_projeto(doc, caminho); !texto.empty()) {
            r.como = resultado_do_arquivo::situacao::recusado;
            r.texto = std::move(texto);
            return r;
        }
        // O projeto inteiro é lido e conferido numa rede nova, antes de tocar na rede atual.
        auto lido = std::make_unique<contexto_da_rede>();
        leitor ler(doc, *lido);
        percorrer_as_chaves(*lido, sentido_do_arquivo::leitura, std::ref(ler));
        contar_posicoes(lido->rede);
        conferencia conferir(ler, *lido);
        conferir.opcoes();
        for (int l = 1; l <= max_links; ++l)
            if (lido->rede.existe_link(l)) conferir.link(l);
        for (int n = 1; n <= max_nos; ++n)
            if (lido->rede.existe_no(n)) conferir.no(n);
        conferir.resultados();
        if (const valor_recusado& v = ler.recusado; !v.chave.empty()) {
            r.como = resultado_do_arquivo::situacao::recusado;
            r.texto = "o arquivo " + parte_do_nome_do_arquivo(caminho) + " tem um valor que os diálogos não aceitam: " + v.chave +
                      " = " + v.valor + " (em " + v.elemento + "), " + v.motivo;
            r.elemento = v.elemento;
            r.chave = v.chave;
            return r;
        }
        std::string nome = caminho;
        std::string titulo = parte_do_nome_do_arquivo(caminho);
        tomar_a_rede_lida(c, *lido, nome, titulo);
    } catch (...) {
        // O arquivo não foi lido por inteiro: a rede continua como estava, com o seu arquivo.
        r = resultado_do_arquivo::da_falha_em_andamento("Erro 148");
    }
    return r;
}

}  // namespace orvel
