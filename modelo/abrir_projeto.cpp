#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "modelo/armazenamento_xml.h"
#include "modelo/limites_dos_valores.h"
#include "modelo/limpar_rede.h"
#include "modelo/projeto.h"
#include "modelo/dimensoes_da_rede.h"
#include "plataforma/falha.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"

namespace orvel {

namespace {

constexpr const char* ordinais[] = {"", "primeiro", "segundo", "terceiro", "quarto"};

// --- Regras de leitura ---

double numero(const std::string& t) { return ler_numero_do_arquivo(t); }
Integer como_integer(const std::string& t) { return para_integer(numero(t)); }
Byte como_byte(const std::string& t) { return para_byte(numero(t)); }
Single como_single(const std::string& t) { return verificar_single(numero(t)); }
// Um texto de resultado vazio (projeto ainda não processado) continua vazio: vira "0" só o que
// tem algum número, para que abrir e salvar não invente resultados.
std::string texto_de_numero(const std::string& t) { return t.empty() ? std::string() : texto_de_double(numero(t)); }

// Itens de uma lista: cada item termina numa vírgula; o que vem depois da última não conta.
std::vector<std::string> itens(const std::string& lista) {
    std::vector<std::string> v;
    std::string atual;
    for (char c : lista) {
        if (c == ',') {
            v.push_back(atual);
            atual.clear();
        } else {
            atual += c;
        }
    }
    return v;
}

// O projeto inteiro, lido do arquivo antes de tocar na rede atual.
struct link_lido {
    std::string nome, origem, destino;
    Byte verde = 0;
    Single fluxo = 0, saturacao = 0;
    Byte percurso = 0;
    Integer capacidade = 0;
    std::array<std::string, max_recebedores + 1> recebedor;
    std::array<Single, max_recebedores + 1> fornecimento{};
    // desenho
    bool conversao = false;
    Single x1 = 0, x2 = 0, y1 = 0, y2 = 0, braco_x2 = 0, braco_y2 = 0, esq_x1 = 0, esq_y1 = 0, dir_x1 = 0, dir_y1 = 0;
    Single etiqueta_left = 0, etiqueta_top = 0;
    std::string etiqueta;
    // resultados
    std::string y_rel, fila_maxima_rel, estourou_rel, grau_rel, atraso_rel, n_paradas_rel;
    Single y = 0, grau = 0;
    bool estourou = false;
    std::array<std::string, 5> periodo_rel;
};

struct no_lido {
    std::string nome, mestre;
    Byte grupos = 0;
    bool ciclo_duplo_permitido = false, escravo = false, demandado = false;
    Byte intervalo_do_escravo = 0, intervalo_do_mestre = 0, intervalo_demandado = 0, intervalo_beneficiado = 0;
    Integer defasagem_forcada = 0, acionamentos = 0;
    Byte intervalos_antes = 0;
    std::array<std::array<std::string, max_links_por_grupo + 1>, max_grupos + 1> links_do_grupo;
    std::array<bool, max_colunas + 1> ordenada{};
    std::array<std::array<Byte, limite_de_intervalos + 1>, max_grupos + 1> cor{};
    std::array<std::array<Byte, limite_de_intervalos + 1>, max_grupos + 1> cor_depois{};
    std::array<Integer, limite_de_intervalos + 1> duracao_imposta{};
    // desenho
    Single rotulo_left = 0, rotulo_top = 0, rotulo_altura = 0, circulo_left = 0, circulo_top = 0, circulo_altura = 0;
    std::string rotulo;
    // resultados
    Integer defasagem_valendo = 0;
    Byte intervalos_depois = 0;
    std::array<Integer, max_intervalos_entrados + 1> d{}, dcd{};
    bool ciclo_duplo = false;
};

struct projeto_lido {
    std::string nome_da_rede, caption;
    Integer t_de_ciclo_imposto = 0, t_de_ciclo_maximo = 0, peso_da_parada = 0;
    Single meta = 0, limite = 0;
    Byte total_de_nos = 0, total_de_links = 0, max_no = 0, max_link = 0, max_quant_de_intervalos = 0;
    std::string relacao_de_links, relacao_de_nos;
    std::array<bool, max_links + 1> existe_link{};
    std::array<bool, max_nos + 1> existe_no{};
    std::array<link_lido, max_links + 1> links;
    std::array<no_lido, max_nos + 1> nos;
    std::string t_ciclo_rel, atraso_rel, n_paradas_rel, espera_rel, maior_grau_rel, str_links_rel, data_rel;
    Integer t_de_ciclo = 0, periodo_de_simulacao = 0;
    // Listas de texto do último nó lido (ficam nas variáveis das listas, como na leitura).
    std::array<std::string, max_grupos + 1> lista_links, lista_cor, lista_cor_depois;
    std::string lista_ordenada, lista_duracao;
    // O primeiro valor que os diálogos não deixariam entrar ("" na chave: nenhum).
    struct {
        std::string elemento, chave, valor, motivo;
    } recusado;
};

void recusar(projeto_lido& p, std::string_view elemento, std::string_view chave, std::string valor, std::string motivo) {
    if (!p.recusado.chave.empty()) return;  // o aviso fala do primeiro
    p.recusado = {std::string(elemento), std::string(chave), std::move(valor), std::move(motivo)};
}

bool conferir_valor(std::string_view elemento, std::string_view chave, const std::string& texto, projeto_lido& p);

// Faixas dos tipos: um valor que não cabe no seu tipo é recusado como um fora da faixa.
constexpr faixa_de_valor faixa_de_byte{0, 255};
constexpr faixa_de_valor faixa_de_integer{-32768, 32767};
const std::string fora_de_single = "grande demais para um número de precisão simples";

std::string fora_da(const faixa_de_valor& faixa) { return "fora da faixa " + texto_da_faixa(faixa); }

class leitor {
public:
    leitor(const std::string& caminho, projeto_lido& p, contexto_da_rede& c) : caminho_(caminho), p_(p), c_(c) {}
    // Um valor recusado lê-se como "" (o valor de uma chave que falta) ou 0, para que a leitura
    // chegue ao fim sem estouro; a abertura o recusa depois, com o aviso do primeiro.
    std::string operator()(std::string_view elemento, std::string_view chave) {
        std::string texto = ler_valor_xml(caminho_, chave, elemento, c_);
        if (!conferir_valor(elemento, chave, texto, p_)) texto.clear();
        return texto;
    }
    Byte byte(std::string_view elemento, std::string_view chave) { return byte(elemento, chave, (*this)(elemento, chave)); }
    Integer integer(std::string_view elemento, std::string_view chave) {
        return integer(elemento, chave, (*this)(elemento, chave));
    }
    Single single(std::string_view elemento, std::string_view chave) {
        return single(elemento, chave, (*this)(elemento, chave));
    }
    // O mesmo para um texto já lido (um item de lista).
    Byte byte(std::string_view elemento, std::string_view chave, const std::string& texto) {
        return converter(elemento, chave, texto, como_byte, fora_da(faixa_de_byte));
    }
    Integer integer(std::string_view elemento, std::string_view chave, const std::string& texto) {
        return converter(elemento, chave, texto, como_integer, fora_da(faixa_de_integer));
    }
    Single single(std::string_view elemento, std::string_view chave, const std::string& texto) {
        return converter(elemento, chave, texto, como_single, fora_de_single);
    }
    // Um texto de resultado, refeito pela regra dos números.
    std::string numero_em_texto(std::string_view elemento, std::string_view chave) {
        const std::string texto = (*this)(elemento, chave);
        return converter(elemento, chave, texto, texto_de_numero, fora_de_single);
    }
    void recusar(std::string_view elemento, std::string_view chave, std::string valor, std::string motivo) {
        orvel::recusar(p_, elemento, chave, std::move(valor), std::move(motivo));
    }

private:
    template <class T>
    T converter(std::string_view elemento, std::string_view chave, const std::string& texto, T (*conversao)(const std::string&),
                const std::string& motivo) {
        try {
            return conversao(texto);
        } catch (const falha&) {
            recusar(elemento, chave, texto, motivo);
            return T{};
        }
    }

    const std::string& caminho_;
    projeto_lido& p_;
    contexto_da_rede& c_;
};

template <std::size_t N>
void ler_relacao(leitor& ler, std::string_view elemento, const std::string& lista, std::array<bool, N>& existe) {
    const faixa_de_valor faixa{0, double(N - 1)};
    for (const std::string& item : itens(lista)) {
        const Integer slot = ler.integer(elemento, "relacao", item);
        if (slot == 0) continue;
        if (!faixa.contem(slot)) {
            ler.recusar(elemento, "relacao", item, fora_da(faixa));
            continue;
        }
        existe[static_cast<std::size_t>(slot)] = true;
    }
}

// Uma lista de itens por intervalo: mais itens do que intervalos na tabela é recusado.
template <class T, class F>
void ler_por_intervalo(std::string_view elemento, const std::string& chave, const std::string& lista,
                       std::array<T, limite_de_intervalos + 1>& destino, leitor& ler, F converter) {
    int k = 0;
    for (const std::string& item : itens(lista)) {
        if (++k > limite_de_intervalos) {
            ler.recusar(elemento, chave, lista, "com mais de " + texto_de_inteiro(limite_de_intervalos) + " itens");
            return;
        }
        destino[static_cast<std::size_t>(k)] = converter(elemento, chave, item);
    }
}

void ler_cores(leitor& ler, std::string_view elemento, const std::string& chave, const std::string& lista,
               std::array<Byte, limite_de_intervalos + 1>& cores) {
    ler_por_intervalo(elemento, chave, lista, cores, ler,
                      [&](std::string_view e, std::string_view c, const std::string& t) { return ler.byte(e, c, t); });
}

void ler_links(leitor& ler, projeto_lido& p) {
    p.relacao_de_links = ler("links", "relacao");
    ler_relacao(ler, "links", p.relacao_de_links, p.existe_link);
    p.total_de_links = 0;
    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        p.total_de_links = para_byte(p.total_de_links + 1);
        link_lido& k = p.links[l];
        const std::string e = nome_do_elemento_do_link(l);
        k.nome = ler(e, "nome_do_link_dado");
        k.origem = ler(e, "nome_do_no_origem_dado");
        if (k.origem == "-") k.origem.clear();
        k.destino = ler(e, "nome_do_no_destino_dado");
        k.verde = ler.byte(e, "verde_de_seguranca_dado");
        k.fluxo = ler.single(e, "fluxo_dado");
        k.saturacao = ler.single(e, "fluxo_de_saturacao_dado");
        k.percurso = ler.byte(e, "t_de_percurso_dado");
        k.capacidade = ler.integer(e, "capacidade_da_caixa_dado");
        for (int r = 1; r <= max_recebedores; ++r) {
            k.recebedor[r] = ler(e, std::string("nome_do_") + ordinais[r] + "_recebedor_dado");
            k.fornecimento[r] = ler.single(e, std::string("valor_do_") + ordinais[r] + "_fornecimento_dado");
            if (k.recebedor[r] == "-") {
                k.recebedor[r].clear();
                k.fornecimento[r] = 0;
            }
        }
    }
}

void ler_nos(leitor& ler, projeto_lido& p) {
    p.relacao_de_nos = ler("nos", "relacao");
    ler_relacao(ler, "nos", p.relacao_de_nos, p.existe_no);
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        o.nome = ler(e, "nome_do_no_dado");
        o.grupos = ler.byte(e, "quant_de_grupos_dado");
        o.ciclo_duplo_permitido = ler(e, "eh_ciclo_duplo_permitido_dado") == "sim";
        o.escravo = ler(e, "eh_no_escravo_dado") == "True";
        o.mestre = ler(e, "nome_do_mestre_dado");
        o.intervalo_do_escravo = ler.byte(e, "intervalo_do_escravo_dado");
        o.intervalo_do_mestre = ler.byte(e, "intervalo_do_mestre_dado");
        o.defasagem_forcada = ler.integer(e, "defasagem_forcada_dado");
        o.demandado = ler(e, "eh_no_demandado_dado") == "True";
        o.acionamentos = ler.integer(e, "n_acionamentos_dado");
        o.intervalo_demandado = ler.byte(e, "intervalo_demandado_dado");
        o.intervalo_beneficiado = ler.byte(e, "intervalo_beneficiado_dado");
        o.intervalos_antes = ler.byte(e, "quant_de_intervalos_antes_dado");
        for (int g = 1; g <= max_grupos; ++g) {
            if (g >= 3 && o.grupos < g) continue;
            const std::string chave = "nome_dos_links_do_grupo" + texto_de_inteiro(g) + "_dado";
            p.lista_links[g] = ler(e, chave);
            const std::vector<std::string> nomes = itens(p.lista_links[g]);
            if (nomes.size() > max_links_por_grupo) {
                ler.recusar(e, chave, p.lista_links[g], "com mais de " + texto_de_inteiro(max_links_por_grupo) + " links");
                continue;
            }
            for (std::size_t k = 0; k < nomes.size(); ++k) o.links_do_grupo[g][k + 1] = nomes[k];
        }
        p.lista_ordenada = ler(e, "existe_ordenada_dado");
        constexpr faixa_de_valor faixa_das_colunas{0, max_colunas};
        for (const std::string& item : itens(p.lista_ordenada)) {
            const Integer c = ler.integer(e, "existe_ordenada_dado", item);
            if (!faixa_das_colunas.contem(c)) {
                ler.recusar(e, "existe_ordenada_dado", item, fora_da(faixa_das_colunas));
                continue;
            }
            o.ordenada[static_cast<std::size_t>(c)] = true;
        }
        for (int g = 1; g <= max_grupos; ++g) {
            if (g >= 3 && o.grupos < g) continue;
            const std::string chave = "cor_do_intervalo_do_grupo" + texto_de_inteiro(g) + "_dado";
            p.lista_cor[g] = ler(e, chave);
            ler_cores(ler, e, chave, p.lista_cor[g], o.cor[g]);
        }
        p.lista_duracao = ler(e, "duracao_imposta_dado");
        ler_por_intervalo(e, "duracao_imposta_dado", p.lista_duracao, o.duracao_imposta, ler,
                          [&](std::string_view el, std::string_view c, const std::string& t) { return ler.integer(el, c, t); });
    }
}

void ler_desenho(leitor& ler, projeto_lido& p) {
    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        link_lido& k = p.links[l];
        const std::string e = nome_do_elemento_do_link(l);
        k.x1 = ler.single(e, "corpo_link_line_X1");
        k.x2 = ler.single(e, "corpo_link_line_X2");
        k.y1 = ler.single(e, "corpo_link_line_Y1");
        k.y2 = ler.single(e, "corpo_link_line_Y2");
        k.conversao = ler(e, "eh_link_conversao") == "sim";
        k.braco_x2 = ler.single(e, "braco_link_line_X2");
        k.braco_y2 = ler.single(e, "braco_link_line_Y2");
        k.esq_x1 = ler.single(e, "esquerda_seta_line_X1");
        k.esq_y1 = ler.single(e, "esquerda_seta_line_Y1");
        k.dir_x1 = ler.single(e, "direita_seta_line_X1");
        k.dir_y1 = ler.single(e, "direita_seta_line_Y1");
        k.etiqueta_left = ler.single(e, "etiqueta_link_label_Left");
        k.etiqueta_top = ler.single(e, "etiqueta_link_label_Top");
        k.etiqueta = ler(e, "etiqueta_link_label_Caption");
    }
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        o.rotulo_left = ler.single(e, "apoio_no_label_Left");
        o.rotulo_top = ler.single(e, "apoio_no_label_Top");
        o.rotulo_altura = ler.single(e, "apoio_no_label_Height");
        o.rotulo = ler(e, "apoio_no_label_Caption");
        o.circulo_left = ler.single(e, "no_shape_Left");
        o.circulo_top = ler.single(e, "no_shape_Top");
        o.circulo_altura = ler.single(e, "no_shape_Height");
    }
}

void ler_resultados(leitor& ler, projeto_lido& p) {
    p.t_ciclo_rel = ler.numero_em_texto("rede", "t_ciclo_da_rede_rel");
    p.t_de_ciclo = ler.integer("rede", "t_ciclo_da_rede_rel");
    p.atraso_rel = ler.numero_em_texto("rede", "atraso_rede_rel");
    p.n_paradas_rel = ler.numero_em_texto("rede", "n_paradas_rede_rel");
    p.espera_rel = ler.numero_em_texto("rede", "espera_media_rel");
    p.maior_grau_rel = ler.numero_em_texto("rede", "maior_grau_de_saturacao_rel");
    p.str_links_rel = ler("rede", "StrLinks_com_maior_grau_de_saturacao_rel");
    p.data_rel = ler("rede", "data_rel");
    p.periodo_de_simulacao = ler.integer("rede", "periodo_de_simulacao");

    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        o.defasagem_valendo = ler.integer(e, "defasagem_valendo_rel");
        o.intervalos_depois = ler.byte(e, "quant_de_intervalos_depois_dado");
        for (int j = 1; j <= max_intervalos_entrados; ++j) o.d[j] = ler.integer(e, "d" + texto_de_inteiro(j));
        for (int j = 1; j <= max_intervalos_entrados; ++j) o.dcd[j] = ler.integer(e, "dcd" + texto_de_inteiro(j));
        o.ciclo_duplo = ler(e, "eh_ciclo_duplo_rel") == "sim";
        for (int g = 1; g <= max_grupos; ++g) {
            const std::string chave = "cor_do_intervalo_do_grupo" + texto_de_inteiro(g) + "_depois";
            p.lista_cor_depois[g] = ler(e, chave);
            ler_cores(ler, e, chave, p.lista_cor_depois[g], o.cor_depois[g]);
        }
    }

    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        link_lido& k = p.links[l];
        const std::string e = nome_do_elemento_do_link(l);
        k.y_rel = ler(e, "y_rel");
        k.y = ler.single(e, "y_rel", k.y_rel);
        for (int j = 1; j <= 4; ++j) {
            const std::string chave = "periodo_de_verde_do_link" + texto_de_inteiro(j) + "_rel";
            k.periodo_rel[j] = ler(e, chave) == "-" ? std::string("0") : ler(e, chave);
        }
        k.fila_maxima_rel = ler(e, "fila_maxima_rel");
        k.estourou = ler(e, "estourou_caixa_rel") == "sim";
        k.estourou_rel = k.estourou ? "True" : "False";
        k.grau_rel = ler(e, "grau_de_saturacao_por_link_rel");
        try {
            k.grau = verificar_single(numero(k.grau_rel) / 100.0);
        } catch (const falha&) {
            ler.recusar(e, "grau_de_saturacao_por_link_rel", k.grau_rel, fora_de_single);
        }
        k.atraso_rel = ler(e, "atraso_rel");
        k.n_paradas_rel = ler(e, "n_paradas_rel");
    }
}

// Por que o arquivo carregado (ou não) na primeira leitura não é aberto como projeto; "" quando
// ele é um projeto. Um projeto tem os elementos sem espaço de nomes: a folha de estilo do
// relatório os procura assim.
std::string por_que_nao_e_projeto(const std::string& caminho) {
    const std::string arquivo = "o arquivo " + parte_do_nome_do_arquivo(caminho);
    switch (carga_do_documento_xml) {
        case resultado_da_carga::carregado: {
            // O espaço de nomes antes do nome da raiz: um "p:rss" é dito pelo seu espaço.
            const std::string espaco = documento_xml->espaco_de_nomes_de_um_elemento();
            if (!espaco.empty()) return arquivo + " tem elementos no espaço de nomes " + espaco;
            if (!documento_xml_eh_projeto()) return arquivo + " não é um projeto do ORVEL";
            return "";
        }
        case resultado_da_carga::espacos_de_nomes_mal_formados: {
            const std::string& prefixo = documento_xml->detalhe_da_carga();
            if (!prefixo.empty()) return arquivo + " usa o prefixo " + prefixo + " sem declarar o seu espaço de nomes";
            return arquivo + " não é um documento XML bem formado quanto aos espaços de nomes";
        }
        case resultado_da_carga::codificacao_nao_lida:
            return arquivo + " usa a codificação " + documento_xml->detalhe_da_carga() + ", que o programa não lê";
        case resultado_da_carga::bytes_invalidos:
            return arquivo + " tem bytes que não valem na codificação " + documento_xml->detalhe_da_carga();
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

// Lê o arquivo inteiro para a cópia de preparação. Devolve false (com o texto do "Aviso" em
// recusa) quando o arquivo não é um projeto.
bool ler_projeto(const std::string& caminho, projeto_lido& p, contexto_da_rede& c, std::string& recusa) {
    leitor ler(caminho, p, c);
    auto& xml_recarregar = c.projeto.xml_recarregar;
    auto& xml_salvar_e_liberar = c.projeto.xml_salvar_e_liberar;
    xml_recarregar = true;
    xml_salvar_e_liberar = false;
    p.nome_da_rede = ler("rede", "nome_da_rede_dado");
    if (std::string texto = por_que_nao_e_projeto(caminho); !texto.empty()) {
        recusa = std::move(texto);
        xml_salvar_e_liberar = true;
        ler("rede", "nome_da_rede_dado");
        return false;
    }
    p.t_de_ciclo_imposto = ler.integer("rede", "t_de_ciclo_imposto_dado");
    p.t_de_ciclo_maximo = ler.integer("rede", "t_de_ciclo_maximo_imposto_dado");
    p.meta = ler.single("rede", "grau_de_saturacao_meta_imposto_dado");
    p.limite = ler.single("rede", "grau_de_saturacao_limite_imposto_dado");
    p.peso_da_parada = ler.integer("rede", "peso_da_parada_imposto_dado");
    p.total_de_nos = ler.byte("rede", "total_de_nos_dado");
    p.total_de_links = ler.byte("rede", "total_de_links_dado");
    p.max_no = ler.byte("rede", "max_indice_no");
    p.max_link = ler.byte("rede", "max_indice_link");
    p.max_quant_de_intervalos = ler.byte("rede", "max_quant_de_intervalos");
    p.caption = ler("rede", "caption_dos_forms");
    ler_links(ler, p);
    ler_nos(ler, p);
    ler_desenho(ler, p);
    ler_resultados(ler, p);
    xml_salvar_e_liberar = true;
    ler("rede", "nome_da_rede_dado");

    // As contagens valem o que a lista diz; os máximos cobrem ao menos a maior posição listada.
    p.total_de_nos = 0;
    for (int n = 1; n <= max_nos; ++n)
        if (p.existe_no[n]) {
            p.total_de_nos = para_byte(p.total_de_nos + 1);
            if (p.max_no < n) p.max_no = static_cast<Byte>(n);
        }
    for (int l = 1; l <= max_links; ++l)
        if (p.existe_link[l] && p.max_link < l) p.max_link = static_cast<Byte>(l);
    return true;
}

// --- Faixas: um arquivo com um valor que nenhum diálogo deixaria entrar não é aberto ---

bool numero_na_faixa(const std::string& texto, const faixa_de_valor& faixa) {
    try {
        return faixa.aceita_no_arquivo(ler_numero_do_arquivo(texto));
    } catch (const falha&) {
        return false;  // nem cabe num número
    }
}

// Confere um valor lido contra a tabela das faixas (numa lista, cada item) e os nomes de link
// contra o que as listas dos grupos podem guardar. Devolve false quando o recusa.
bool conferir_valor(std::string_view elemento, std::string_view chave, const std::string& texto, projeto_lido& p) {
    if (chave == "nome_do_link_dado" || (chave.starts_with("nome_do_") && chave.ends_with("_recebedor_dado"))) {
        const auto c = caracter_que_o_arquivo_nao_guarda(texto, uso_do_nome::link);
        if (!c) return true;
        recusar(p, elemento, chave, texto, "com o caracter " + *c);
        return false;
    }
    const faixa_de_valor* faixa = faixa_da_chave(chave);
    if (!faixa) return true;
    if (chave_de_lista_de_numeros(chave)) {
        for (const std::string& item : itens(texto))
            if (!numero_na_faixa(item, *faixa)) {
                recusar(p, elemento, chave, item, "fora da faixa " + texto_da_faixa(*faixa));
                return false;
            }
        return true;
    }
    if (numero_na_faixa(texto, *faixa)) return true;
    recusar(p, elemento, chave, texto, "fora da faixa " + texto_da_faixa(*faixa));
    return false;
}

// --- Regras da confirmação dos diálogos, sobre o que foi lido ---
//
// Um registro que os diálogos confirmaram segue todas as regras da confirmação; um link ou um
// nó desenhado e nunca editado fica como o desenho o criou (tudo 0 e vazio), e é o
// "Processar" que o recusa. Aqui ficam as regras que fazem o cálculo falhar ou calcular de um
// valor que o usuário não poderia entrar; as cores dos intervalos de um nó são conferidas pela
// validação do "Processar", que também recusa os registros nunca editados.

void conferir_opcoes_lidas(projeto_lido& p) {
    if (p.t_de_ciclo_imposto > 0 && p.t_de_ciclo_maximo > 0 && p.t_de_ciclo_imposto > p.t_de_ciclo_maximo)
        recusar(p, "rede", "t_de_ciclo_imposto_dado", texto_de_inteiro(p.t_de_ciclo_imposto),
                "o tempo de ciclo imposto deve ser menor ou igual ao tempo de ciclo máximo imposto");
}

bool link_nunca_editado(const link_lido& k) {
    bool vazio = k.nome.empty() && k.origem.empty() && k.destino.empty() && k.verde == 0 && k.fluxo == 0 &&
                 k.saturacao == 0 && k.percurso == 0 && k.capacidade == 0;
    for (int r = 1; r <= max_recebedores; ++r) vazio = vazio && k.recebedor[r].empty() && k.fornecimento[r] == 0;
    return vazio;
}

void conferir_link_lido(projeto_lido& p, int l) {
    const link_lido& k = p.links[l];
    if (link_nunca_editado(k)) return;
    const std::string e = nome_do_elemento_do_link(l);
    auto recusar_se = [&](bool falhou, std::string_view chave, std::string valor, const char* mensagem) {
        if (falhou) recusar(p, e, chave, std::move(valor), mensagem);
    };
    recusar_se(nome_em_branco(k.nome), "nome_do_link_dado", k.nome, "o link deve ter um nome");
    recusar_se(nome_em_branco(k.destino), "nome_do_no_destino_dado", k.destino, "o link deve ter um nó destino");
    recusar_se(nomes_iguais(k.origem, k.destino), "nome_do_no_origem_dado", k.origem,
               "o nó origem deve ser diferente do nó destino");
    recusar_se(!faixa_fluxo.contem(k.fluxo), "fluxo_dado", texto_de_single(k.fluxo),
               "o fluxo deve estar compreendido entre 1 e 9999 veíc/h");
    recusar_se(!faixa_fluxo.contem(k.saturacao), "fluxo_de_saturacao_dado", texto_de_single(k.saturacao),
               "o fluxo de saturação deve estar compreendido entre 1 e 9999 veíc/h");
    recusar_se(k.saturacao < k.fluxo, "fluxo_de_saturacao_dado", texto_de_single(k.saturacao),
               "o fluxo não pode seer maior do que seu respectivo fluxo de saturação");
    if (!k.origem.empty()) {
        recusar_se(!faixa_t_de_percurso.contem(k.percurso), "t_de_percurso_dado", texto_de_inteiro(k.percurso),
                   "o tempo de percurso dos links internos deve estar compreendido entre 1 e 120 s");
        recusar_se(!faixa_capacidade_da_caixa.contem(k.capacidade), "capacidade_da_caixa_dado",
                   texto_de_inteiro(k.capacidade), "a capacidade da caixa deve estar compreendida entre 2 e 9999 veíc");
    }
    for (int r = 1; r <= max_recebedores; ++r) {
        const std::string chave = std::string("valor_do_") + ordinais[r] + "_fornecimento_dado";
        const std::string valor = texto_de_single(k.fornecimento[r]);
        recusar_se(!k.recebedor[r].empty() && k.fornecimento[r] == 0, chave, valor,
                   "falta definir o valor do fornecimento para um link");
        recusar_se(k.recebedor[r].empty() && k.fornecimento[r] != 0, chave, valor,
                   "falta definir o nome de um link para o qual há fornecimento");
    }
}

// Um nó desenhado e nunca editado tem 0 grupos e 0 intervalos; um nó confirmado tem os dois.
void conferir_no_lido(projeto_lido& p, int n) {
    const no_lido& o = p.nos[n];
    const std::string e = nome_do_elemento_do_no(n);
    if ((o.grupos == 0) != (o.intervalos_antes == 0)) {
        const bool sem_grupos = o.grupos == 0;
        recusar(p, e, sem_grupos ? "quant_de_grupos_dado" : "quant_de_intervalos_antes_dado", "0",
                fora_da(sem_grupos ? faixa_quant_de_grupos : faixa_quant_de_intervalos));
    }
    if (o.grupos == 0) {
        if (!o.nome.empty()) recusar(p, e, "quant_de_grupos_dado", "0", fora_da(faixa_quant_de_grupos));
        return;
    }
    auto recusar_se = [&](bool falhou, std::string_view chave, std::string valor, const char* mensagem) {
        if (falhou) recusar(p, e, chave, std::move(valor), mensagem);
    };
    recusar_se(nome_em_branco(o.nome), "nome_do_no_dado", o.nome, "o nó deve ter um nome");
    if (o.escravo) {
        recusar_se(nome_em_branco(o.mestre), "nome_do_mestre_dado", o.mestre,
                   "falta definir o nome do nó mestre");
        recusar_se(o.intervalo_do_escravo == 0, "intervalo_do_escravo_dado", "0",
                   "o intervalo do escravo deve estar compreendido entre 1 e 36");
        recusar_se(o.intervalo_do_mestre == 0, "intervalo_do_mestre_dado", "0",
                   "o intervalo do mestre deve estar compreendido entre 1 e 36");
    }
    if (o.demandado) {
        const int d = o.intervalo_demandado;
        const int b = o.intervalo_beneficiado;
        recusar_se(d == 0, "intervalo_demandado_dado", "0", "o intervalo demandado deve estar compreendido entre 1 e 36");
        recusar_se(b == 0, "intervalo_beneficiado_dado", "0",
                   "o intervalo beneficiado deve estar compreendido entre 1 e 36");
        recusar_se(b > 0 && o.duracao_imposta[static_cast<std::size_t>(b)] > 0, "duracao_imposta_dado",
                   texto_de_inteiro(o.duracao_imposta[static_cast<std::size_t>(b)]),
                   "o intervalo beneficiado não deve ter sua duração fixada");
        for (int g = 1; g <= o.grupos && g <= max_grupos; ++g)
            recusar_se(d > 0 && o.cor[g][static_cast<std::size_t>(d)] == cor_amarelo,
                       "cor_do_intervalo_do_grupo" + texto_de_inteiro(g) + "_dado", texto_de_inteiro(cor_amarelo),
                       "o intervalo demandado não deve ter nenhum grupo em amarelo");
    }
}

// Resultados que nenhuma execução dá: as vistas os usariam sem processar de novo. Só se
// confere o que uma execução nunca grava; o que ela pode gravar (durações que, com os verdes de
// segurança, passam do ciclo) abre, e as chaves dcd além dos intervalos do nó, que o salvamento
// mantém e nada lê, não são conferidas.
void conferir_resultados_lidos(projeto_lido& p) {
    auto fora = [&](std::string_view e, std::string_view chave, double v, const faixa_de_valor& faixa) {
        if (!faixa.contem(v)) recusar(p, e, chave, texto_de_double(v), fora_da(faixa));
    };
    // As cores do diagrama final, todas, mesmo sem processamento: uma execução só reescreve as
    // dos intervalos e grupos do nó e o salvamento grava o resto como foi lido, então um código
    // que nenhuma execução dá é recusado antes que uma execução o possa guardar.
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const std::string e = nome_do_elemento_do_no(n);
        for (int g = 1; g <= max_grupos; ++g)
            for (int k = 1; k <= limite_de_intervalos; ++k)
                fora(e, "cor_do_intervalo_do_grupo" + texto_de_inteiro(g) + "_depois", p.nos[n].cor_depois[g][k],
                     faixa_codigo_de_cor);
    }
    fora("rede", "t_ciclo_da_rede_rel", p.t_de_ciclo, faixa_t_de_ciclo_da_rede);
    fora("rede", "periodo_de_simulacao", p.periodo_de_simulacao, faixa_periodo_de_simulacao);
    // Sem ciclo (rede não processada) as vistas pedem o processamento e não leem os nós.
    const Integer C = p.t_de_ciclo;
    if (C == 0) return;
    constexpr faixa_de_valor faixa_dos_intervalos{0, max_intervalos_duplos};
    const faixa_de_valor faixa_do_ciclo{0, double(C)};
    // Uma duração nunca é negativa, e as de um nó, somadas, cabem num Integer: as vistas as
    // acumulam assim, e o cálculo também.
    constexpr faixa_de_valor faixa_das_duracoes{0, faixa_de_integer.maximo};
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        fora(e, "quant_de_intervalos_depois_dado", o.intervalos_depois, faixa_dos_intervalos);
        fora(e, "defasagem_valendo_rel", o.defasagem_valendo, faixa_do_ciclo);
        const int intervalos = std::min<int>(o.intervalos_depois, max_intervalos_entrados);
        long soma = 0, soma_com_demanda = 0;
        for (int j = 1; j <= intervalos; ++j) {
            fora(e, "d" + texto_de_inteiro(j), o.d[j], faixa_das_duracoes);
            fora(e, "dcd" + texto_de_inteiro(j), o.dcd[j], faixa_das_duracoes);
            soma += o.d[j];
            soma_com_demanda += o.dcd[j];
        }
        if (!faixa_das_duracoes.contem(double(soma)))
            recusar(p, e, "d1", texto_de_inteiro(o.d[1]), "a soma das durações passa de " + texto_de_double(faixa_das_duracoes.maximo));
        if (!faixa_das_duracoes.contem(double(soma_com_demanda)))
            recusar(p, e, "dcd1", texto_de_inteiro(o.dcd[1]),
                    "a soma das durações passa de " + texto_de_double(faixa_das_duracoes.maximo));
    }
}

// Põe em recusa o texto do "Aviso" do valor recusado, com a chave e o valor; devolve true quando
// houve um.
bool recusar_valores_fora_das_faixas(const std::string& caminho, projeto_lido& p, std::string& recusa) {
    conferir_opcoes_lidas(p);
    for (int l = 1; l <= max_links; ++l)
        if (p.existe_link[l]) conferir_link_lido(p, l);
    for (int n = 1; n <= max_nos; ++n)
        if (p.existe_no[n]) conferir_no_lido(p, n);
    conferir_resultados_lidos(p);
    if (p.recusado.chave.empty()) return false;
    const auto& r = p.recusado;
    recusa = "o arquivo " + parte_do_nome_do_arquivo(caminho) + " tem um valor que os diálogos não aceitam: " + r.chave +
             " = " + r.valor + " (em " + r.elemento + "), " + r.motivo;
    return true;
}

void aplicar_links(const projeto_lido& p, contexto_da_rede& c) {
    rede_dada& g = c.rede;
    c.listas.relacao_de_links = p.relacao_de_links;
    for (int l = 1; l <= max_links; ++l) {
        g.existe_link(l) = p.existe_link[l];
        if (!p.existe_link[l]) continue;
        const link_lido& k = p.links[l];
        g.nome_do_link_dado(l) = k.nome;
        g.nome_do_no_origem_dado(l) = k.origem;
        g.nome_do_no_destino_dado(l) = k.destino;
        g.verde_de_seguranca_dado(l) = k.verde;
        g.fluxo_dado(l) = k.fluxo;
        g.fluxo_de_saturacao_dado(l) = k.saturacao;
        g.t_de_percurso_dado(l) = k.percurso;
        g.capacidade_da_caixa_dado(l) = k.capacidade;
        for (int r = 1; r <= max_recebedores; ++r) {
            g.nome_do_recebedor_dado(l, r) = k.recebedor[r];
            g.valor_do_fornecimento_dado(l, r) = k.fornecimento[r];
        }
    }
    g.total_de_links_dado = p.total_de_links;

    desenho_dado& d = c.desenho;
    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        const link_lido& k = p.links[l];
        d.corpo_link_line_X1(l) = k.x1;
        d.corpo_link_line_X2(l) = k.x2;
        d.corpo_link_line_Y1(l) = k.y1;
        d.corpo_link_line_Y2(l) = k.y2;
        g.eh_link_conversao(l) = k.conversao;
        d.braco_link_line_X2(l) = k.braco_x2;
        d.braco_link_line_Y2(l) = k.braco_y2;
        d.esquerda_seta_line_X1(l) = k.esq_x1;
        d.esquerda_seta_line_Y1(l) = k.esq_y1;
        d.direita_seta_line_X1(l) = k.dir_x1;
        d.direita_seta_line_Y1(l) = k.dir_y1;
        d.etiqueta_link_label_Left(l) = k.etiqueta_left;
        d.etiqueta_link_label_Top(l) = k.etiqueta_top;
        d.etiqueta_link_label_Caption(l) = k.etiqueta;
    }
}

void aplicar_nos(const projeto_lido& p, contexto_da_rede& c) {
    rede_dada& g = c.rede;
    c.listas.relacao_de_nos = p.relacao_de_nos;
    for (int n = 1; n <= max_nos; ++n) {
        g.existe_no(n) = p.existe_no[n];
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        g.nome_do_no_dado(n) = o.nome;
        g.quant_de_grupos_dado(n) = o.grupos;
        g.eh_ciclo_duplo_permitido_dado(n) = o.ciclo_duplo_permitido;
        g.eh_no_escravo_dado(n) = o.escravo;
        g.nome_do_mestre_dado(n) = o.mestre;
        g.intervalo_do_escravo_dado(n) = o.intervalo_do_escravo;
        g.intervalo_do_mestre_dado(n) = o.intervalo_do_mestre;
        g.defasagem_forcada_dado(n) = o.defasagem_forcada;
        g.eh_no_demandado_dado(n) = o.demandado;
        g.n_acionamentos_dado(n) = o.acionamentos;
        g.intervalo_demandado_dado(n) = o.intervalo_demandado;
        g.intervalo_beneficiado_dado(n) = o.intervalo_beneficiado;
        g.quant_de_intervalos_antes_dado(n) = o.intervalos_antes;
        for (int gr = 1; gr <= max_grupos; ++gr) {
            for (int k = 1; k <= max_links_por_grupo; ++k) g.nome_dos_links_do_grupo_dado(n, gr, k) = o.links_do_grupo[gr][k];
            for (int k = 1; k <= limite_de_intervalos; ++k) {
                g.cor_do_intervalo_do_grupo_dado(n, gr, k) = o.cor[gr][k];
                c.resultados.cor_do_intervalo_do_grupo_depois(n, gr, k) = o.cor_depois[gr][k];
            }
        }
        for (int col = 0; col <= max_colunas; ++col)
            if (o.ordenada[static_cast<std::size_t>(col)]) g.existe_ordenada_dado(n, col) = true;
        for (int k = 1; k <= limite_de_intervalos; ++k) g.duracao_imposta_dado(n, k) = o.duracao_imposta[k];
    }
    for (int gr = 1; gr <= max_grupos; ++gr) {
        c.listas.lista_dos_links_do_grupo(gr) = p.lista_links[gr];
        c.listas.lista_de_cor_do_grupo(gr) = p.lista_cor[gr];
        c.listas.lista_de_cor_do_grupo_depois(gr) = p.lista_cor_depois[gr];
    }
    c.listas.lista_de_existe_ordenada = p.lista_ordenada;
    c.listas.lista_de_duracao_imposta = p.lista_duracao;

    desenho_dado& d = c.desenho;
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        d.apoio_no_label_Left(n) = o.rotulo_left;
        d.apoio_no_label_Top(n) = o.rotulo_top;
        d.apoio_no_label_Height(n) = o.rotulo_altura;
        d.apoio_no_label_Caption(n) = o.rotulo;
        d.no_shape_Left(n) = o.circulo_left;
        d.no_shape_Top(n) = o.circulo_top;
        d.no_shape_Height(n) = o.circulo_altura;
    }
}

void aplicar_resultados(const projeto_lido& p, contexto_da_rede& c) {
    c.resultados.t_ciclo_da_rede_rel = p.t_ciclo_rel;
    c.derivados.t_de_ciclo = p.t_de_ciclo;
    c.resultados.atraso_rede_rel = p.atraso_rel;
    c.resultados.n_paradas_rede_rel = p.n_paradas_rel;
    c.resultados.espera_media_rel = p.espera_rel;
    c.resultados.maior_grau_de_saturacao_rel = p.maior_grau_rel;
    c.resultados.StrLinks_com_maior_grau_de_saturacao_rel = p.str_links_rel;
    c.resultados.data_rel = p.data_rel;
    c.derivados.periodo_de_simulacao = p.periodo_de_simulacao;
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        c.buscas.defasagem_valendo(n) = o.defasagem_valendo;
        c.derivados.quant_de_intervalos_depois(n) = o.intervalos_depois;
        for (int j = 1; j <= max_intervalos_entrados; ++j) {
            c.derivados.duracao_do_intervalo(n, j) = o.d[j];
            c.derivados.duracao_com_demanda(n, j) = o.dcd[j];
        }
        c.derivados.eh_ciclo_duplo(n) = o.ciclo_duplo;
    }
    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        const link_lido& k = p.links[l];
        c.resultados.y_rel(l) = k.y_rel;
        c.derivados.y(l) = k.y;
        for (int j = 1; j <= 4; ++j) c.resultados.periodo_de_verde_do_link_rel(l, j) = k.periodo_rel[j];
        c.resultados.fila_maxima_rel(l) = k.fila_maxima_rel;
        c.resultados.estourou_caixa_rel(l) = k.estourou_rel;
        c.resultados.estourou_caixa(l) = k.estourou;
        c.resultados.grau_de_saturacao_por_link_rel(l) = k.grau_rel;
        c.resultados.grau_de_saturacao(l) = k.grau;
        c.resultados.atraso_rel(l) = k.atraso_rel;
        c.resultados.n_paradas_rel(l) = k.n_paradas_rel;
    }
}

}  // namespace

resultado_do_arquivo abrir_projeto(contexto_da_rede& c, const std::string& caminho) {
    resultado_do_arquivo r;
    const std::string arquivo_antes = c.projeto.nome_do_arquivo;
    try {
        auto p = std::make_unique<projeto_lido>();
        std::string recusa;
        if (!ler_projeto(caminho, *p, c, recusa) || recusar_valores_fora_das_faixas(caminho, *p, recusa)) {
            r.como = resultado_do_arquivo::situacao::recusado;
            r.texto = recusa;
            r.elemento = p->recusado.elemento;
            r.chave = p->recusado.chave;
            return r;
        }

        // Lido por inteiro: agora a rede atual dá lugar à do arquivo.
        ++c.projeto.revisao_da_rede;
        esvaziar_rede(c);
        c.projeto.nome_do_arquivo = caminho;
        c.editor.desenhando = false;

        rede_dada& g = c.rede;
        g.nome_da_rede_dado = p->nome_da_rede;
        g.t_de_ciclo_imposto_dado = p->t_de_ciclo_imposto;
        g.t_de_ciclo_maximo_imposto_dado = p->t_de_ciclo_maximo;
        g.grau_de_saturacao_meta_imposto_dado = p->meta;
        g.grau_de_saturacao_limite_imposto_dado = p->limite;
        g.peso_da_parada_imposto_dado = p->peso_da_parada;
        g.total_de_nos_dado = p->total_de_nos;
        g.max_indice_no = p->max_no;
        g.max_indice_link = p->max_link;
        c.resultados.max_quant_de_intervalos = p->max_quant_de_intervalos;
        c.projeto.caption_dos_forms = p->caption;

        aplicar_links(*p, c);
        aplicar_nos(*p, c);
        aplicar_resultados(*p, c);
        // Os resultados do arquivo são os da rede lida: as vistas os mostram sem processar de
        // novo, até a primeira mudança da rede. Um arquivo sem resultados (sem tempo de ciclo)
        // abre como não processado.
        c.projeto.revisao_processada =
            c.derivados.t_de_ciclo >= 1 ? c.projeto.revisao_da_rede : revisao_sem_resultados;
        c.projeto.projeto_alterado = false;
    } catch (...) {
        // O arquivo não foi lido por inteiro: a rede continua com o seu arquivo.
        registrar_excecao_em_andamento();
        c.projeto.nome_do_arquivo = arquivo_antes;
        r.como = resultado_do_arquivo::situacao::falhou;
        r.texto = falha_corrente().descricao();
        r.codigo = "Erro 148";
    }
    return r;
}

}  // namespace orvel
