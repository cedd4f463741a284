#include <array>
#include <memory>

#include "modelo/armazenamento_xml.h"
#include "modelo/estado_do_editor.h"
#include "modelo/estado_dos_comandos.h"
#include "modelo/limites_dos_valores.h"
#include "modelo/limpar_rede.h"
#include "modelo/projeto.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "modelo/tela_principal.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"

namespace orvel {

namespace {

constexpr char filtro_de_projetos[] = "XML's (*.xml)|*.xml|Todos os arquivos (*.*)|*.*";
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
    std::array<std::string, 5> recebedor;
    std::array<Single, 5> fornecimento{};
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
    std::array<std::array<std::string, 5>, 9> links_do_grupo;
    std::array<bool, 95> ordenada{};
    std::array<std::array<Byte, 96>, 9> cor{};
    std::array<std::array<Byte, 96>, 9> cor_depois{};
    std::array<Integer, 96> duracao_imposta{};
    // desenho
    Single rotulo_left = 0, rotulo_top = 0, rotulo_altura = 0, circulo_left = 0, circulo_top = 0, circulo_altura = 0;
    std::string rotulo;
    // resultados
    Integer defasagem_valendo = 0;
    Byte intervalos_depois = 0;
    std::array<Integer, 37> d{}, dcd{};
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
    std::array<std::string, 9> lista_links, lista_cor, lista_cor_depois;
    std::string lista_ordenada, lista_duracao;
    // O primeiro valor que os diálogos não deixariam entrar ("" na chave: nenhum).
    struct {
        std::string elemento, chave, valor, motivo;
    } recusado;
};

bool conferir_valor(std::string_view elemento, std::string_view chave, const std::string& texto, projeto_lido& p);

class leitor {
public:
    leitor(const std::string& caminho, projeto_lido& p) : caminho_(caminho), p_(p) {}
    // Um valor fora da faixa lê-se como "" (o valor de uma chave que falta), para que a leitura
    // chegue ao fim sem estouro; a abertura o recusa depois.
    std::string operator()(std::string_view elemento, std::string_view chave) {
        std::string texto = ler_valor_xml(caminho_, chave, elemento);
        if (!conferir_valor(elemento, chave, texto, p_)) texto.clear();
        return texto;
    }

private:
    const std::string& caminho_;
    projeto_lido& p_;
};

template <std::size_t N>
void ler_relacao(const std::string& lista, std::array<bool, N>& existe) {
    for (const std::string& item : itens(lista)) {
        const Integer slot = como_integer(item);
        if (slot == 0) continue;
        if (slot < 0 || static_cast<std::size_t>(slot) >= N) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        existe[static_cast<std::size_t>(slot)] = true;
    }
}

void ler_cores(const std::string& lista, std::array<Byte, 96>& cores) {
    int k = 0;
    for (const std::string& item : itens(lista)) {
        if (++k > limite_de_intervalos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        cores[static_cast<std::size_t>(k)] = como_byte(item);
    }
}

void ler_links(leitor& ler, projeto_lido& p) {
    p.relacao_de_links = ler("links", "relacao");
    ler_relacao(p.relacao_de_links, p.existe_link);
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
        k.verde = como_byte(ler(e, "verde_de_seguranca_dado"));
        k.fluxo = como_single(ler(e, "fluxo_dado"));
        k.saturacao = como_single(ler(e, "fluxo_de_saturacao_dado"));
        k.percurso = como_byte(ler(e, "t_de_percurso_dado"));
        k.capacidade = como_integer(ler(e, "capacidade_da_caixa_dado"));
        for (int r = 1; r <= max_recebedores; ++r) {
            k.recebedor[r] = ler(e, std::string("nome_do_") + ordinais[r] + "_recebedor_dado");
            k.fornecimento[r] = como_single(ler(e, std::string("valor_do_") + ordinais[r] + "_fornecimento_dado"));
            if (k.recebedor[r] == "-") {
                k.recebedor[r].clear();
                k.fornecimento[r] = 0;
            }
        }
    }
}

void ler_nos(leitor& ler, projeto_lido& p) {
    p.relacao_de_nos = ler("nos", "relacao");
    ler_relacao(p.relacao_de_nos, p.existe_no);
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        o.nome = ler(e, "nome_do_no_dado");
        o.grupos = como_byte(ler(e, "quant_de_grupos_dado"));
        o.ciclo_duplo_permitido = ler(e, "eh_ciclo_duplo_permitido_dado") == "sim";
        o.escravo = ler(e, "eh_no_escravo_dado") == "True";
        o.mestre = ler(e, "nome_do_mestre_dado");
        o.intervalo_do_escravo = como_byte(ler(e, "intervalo_do_escravo_dado"));
        o.intervalo_do_mestre = como_byte(ler(e, "intervalo_do_mestre_dado"));
        o.defasagem_forcada = como_integer(ler(e, "defasagem_forcada_dado"));
        o.demandado = ler(e, "eh_no_demandado_dado") == "True";
        o.acionamentos = como_integer(ler(e, "n_acionamentos_dado"));
        o.intervalo_demandado = como_byte(ler(e, "intervalo_demandado_dado"));
        o.intervalo_beneficiado = como_byte(ler(e, "intervalo_beneficiado_dado"));
        o.intervalos_antes = como_byte(ler(e, "quant_de_intervalos_antes_dado"));
        for (int g = 1; g <= max_grupos; ++g) {
            if (g >= 3 && o.grupos < g) continue;
            p.lista_links[g] = ler(e, "nome_dos_links_do_grupo" + texto_de_inteiro(g) + "_dado");
            int k = 0;
            for (const std::string& item : itens(p.lista_links[g])) {
                if (++k > max_links_por_grupo) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
                o.links_do_grupo[g][k] = item;
            }
        }
        p.lista_ordenada = ler(e, "existe_ordenada_dado");
        for (const std::string& item : itens(p.lista_ordenada)) {
            const Integer c = como_integer(item);
            if (c < 0 || c > max_colunas) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
            o.ordenada[static_cast<std::size_t>(c)] = true;
        }
        for (int g = 1; g <= max_grupos; ++g) {
            if (g >= 3 && o.grupos < g) continue;
            p.lista_cor[g] = ler(e, "cor_do_intervalo_do_grupo" + texto_de_inteiro(g) + "_dado");
            ler_cores(p.lista_cor[g], o.cor[g]);
        }
        p.lista_duracao = ler(e, "duracao_imposta_dado");
        int k = 0;
        for (const std::string& item : itens(p.lista_duracao)) {
            if (++k > limite_de_intervalos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
            o.duracao_imposta[static_cast<std::size_t>(k)] = como_integer(item);
        }
    }
}

void ler_desenho(leitor& ler, projeto_lido& p) {
    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        link_lido& k = p.links[l];
        const std::string e = nome_do_elemento_do_link(l);
        k.x1 = como_single(ler(e, "corpo_link_line_X1"));
        k.x2 = como_single(ler(e, "corpo_link_line_X2"));
        k.y1 = como_single(ler(e, "corpo_link_line_Y1"));
        k.y2 = como_single(ler(e, "corpo_link_line_Y2"));
        k.conversao = ler(e, "eh_link_conversao") == "sim";
        k.braco_x2 = como_single(ler(e, "braco_link_line_X2"));
        k.braco_y2 = como_single(ler(e, "braco_link_line_Y2"));
        k.esq_x1 = como_single(ler(e, "esquerda_seta_line_X1"));
        k.esq_y1 = como_single(ler(e, "esquerda_seta_line_Y1"));
        k.dir_x1 = como_single(ler(e, "direita_seta_line_X1"));
        k.dir_y1 = como_single(ler(e, "direita_seta_line_Y1"));
        k.etiqueta_left = como_single(ler(e, "etiqueta_link_label_Left"));
        k.etiqueta_top = como_single(ler(e, "etiqueta_link_label_Top"));
        k.etiqueta = ler(e, "etiqueta_link_label_Caption");
    }
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        o.rotulo_left = como_single(ler(e, "apoio_no_label_Left"));
        o.rotulo_top = como_single(ler(e, "apoio_no_label_Top"));
        o.rotulo_altura = como_single(ler(e, "apoio_no_label_Height"));
        o.rotulo = ler(e, "apoio_no_label_Caption");
        o.circulo_left = como_single(ler(e, "no_shape_Left"));
        o.circulo_top = como_single(ler(e, "no_shape_Top"));
        o.circulo_altura = como_single(ler(e, "no_shape_Height"));
    }
}

void ler_resultados(leitor& ler, projeto_lido& p) {
    p.t_ciclo_rel = texto_de_numero(ler("rede", "t_ciclo_da_rede_rel"));
    p.t_de_ciclo = como_integer(ler("rede", "t_ciclo_da_rede_rel"));
    p.atraso_rel = texto_de_numero(ler("rede", "atraso_rede_rel"));
    p.n_paradas_rel = texto_de_numero(ler("rede", "n_paradas_rede_rel"));
    p.espera_rel = texto_de_numero(ler("rede", "espera_media_rel"));
    p.maior_grau_rel = texto_de_numero(ler("rede", "maior_grau_de_saturacao_rel"));
    p.str_links_rel = ler("rede", "StrLinks_com_maior_grau_de_saturacao_rel");
    p.data_rel = ler("rede", "data_rel");
    p.periodo_de_simulacao = como_integer(ler("rede", "periodo_de_simulacao"));

    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        no_lido& o = p.nos[n];
        const std::string e = nome_do_elemento_do_no(n);
        o.defasagem_valendo = como_integer(ler(e, "defasagem_valendo_rel"));
        o.intervalos_depois = como_byte(ler(e, "quant_de_intervalos_depois_dado"));
        for (int j = 1; j <= max_intervalos_entrados; ++j) o.d[j] = como_integer(ler(e, "d" + texto_de_inteiro(j)));
        for (int j = 1; j <= max_intervalos_entrados; ++j) o.dcd[j] = como_integer(ler(e, "dcd" + texto_de_inteiro(j)));
        o.ciclo_duplo = ler(e, "eh_ciclo_duplo_rel") == "sim";
        for (int g = 1; g <= max_grupos; ++g) {
            p.lista_cor_depois[g] = ler(e, "cor_do_intervalo_do_grupo" + texto_de_inteiro(g) + "_depois");
            ler_cores(p.lista_cor_depois[g], o.cor_depois[g]);
        }
    }

    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        link_lido& k = p.links[l];
        const std::string e = nome_do_elemento_do_link(l);
        k.y_rel = ler(e, "y_rel");
        k.y = como_single(k.y_rel);
        for (int j = 1; j <= 4; ++j) {
            const std::string chave = "periodo_de_verde_do_link" + texto_de_inteiro(j) + "_rel";
            k.periodo_rel[j] = ler(e, chave) == "-" ? std::string("0") : ler(e, chave);
        }
        k.fila_maxima_rel = ler(e, "fila_maxima_rel");
        k.estourou = ler(e, "estourou_caixa_rel") == "sim";
        k.estourou_rel = k.estourou ? "True" : "False";
        k.grau_rel = ler(e, "grau_de_saturacao_por_link_rel");
        k.grau = verificar_single(numero(k.grau_rel) / 100.0);
        k.atraso_rel = ler(e, "atraso_rel");
        k.n_paradas_rel = ler(e, "n_paradas_rel");
    }
}

// Lê o arquivo inteiro para a cópia de preparação. Devolve false (com o "Aviso" já mostrado)
// quando o arquivo não é um projeto.
bool ler_projeto(const std::string& caminho, projeto_lido& p) {
    leitor ler(caminho, p);
    xml_recarregar = true;
    xml_salvar_e_liberar = false;
    p.nome_da_rede = ler("rede", "nome_da_rede_dado");
    if (!documento_xml_eh_projeto()) {
        const std::string nome = parte_do_nome_do_arquivo(caminho);
        const std::string texto = situacao_do_documento_xml == situacao_do_arquivo_xml::sem_arquivo ||
                                          situacao_do_documento_xml == situacao_do_arquivo_xml::ilegivel
                                      ? "não foi possível ler o arquivo " + nome
                                      : "o arquivo " + nome + " não é um projeto do ORVEL";
        xml_salvar_e_liberar = true;
        ler("rede", "nome_da_rede_dado");
        servicos().caixa_de_mensagem(texto, estilo_ok, "Aviso");
        return false;
    }
    p.t_de_ciclo_imposto = como_integer(ler("rede", "t_de_ciclo_imposto_dado"));
    p.t_de_ciclo_maximo = como_integer(ler("rede", "t_de_ciclo_maximo_imposto_dado"));
    p.meta = como_single(ler("rede", "grau_de_saturacao_meta_imposto_dado"));
    p.limite = como_single(ler("rede", "grau_de_saturacao_limite_imposto_dado"));
    p.peso_da_parada = como_integer(ler("rede", "peso_da_parada_imposto_dado"));
    p.total_de_nos = como_byte(ler("rede", "total_de_nos_dado"));
    p.total_de_links = como_byte(ler("rede", "total_de_links_dado"));
    p.max_no = como_byte(ler("rede", "max_indice_no"));
    p.max_link = como_byte(ler("rede", "max_indice_link"));
    p.max_quant_de_intervalos = como_byte(ler("rede", "max_quant_de_intervalos"));
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

void recusar(projeto_lido& p, std::string_view elemento, std::string_view chave, std::string valor, std::string motivo) {
    if (!p.recusado.chave.empty()) return;  // o aviso fala do primeiro
    p.recusado = {std::string(elemento), std::string(chave), std::move(valor), std::move(motivo)};
}

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

// Um nó desenhado e nunca editado tem 0 grupos e 0 intervalos; um nó confirmado tem os dois.
void conferir_nos_lidos(projeto_lido& p) {
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        if ((o.grupos == 0) == (o.intervalos_antes == 0)) continue;
        const bool sem_grupos = o.grupos == 0;
        recusar(p, nome_do_elemento_do_no(n), sem_grupos ? "quant_de_grupos_dado" : "quant_de_intervalos_antes_dado", "0",
                "fora da faixa " + texto_da_faixa(sem_grupos ? faixa_quant_de_grupos : faixa_quant_de_intervalos));
    }
}

// Mostra o "Aviso" do valor recusado, com a chave e o valor; devolve true quando houve um.
bool recusar_valores_fora_das_faixas(const std::string& caminho, projeto_lido& p) {
    conferir_nos_lidos(p);
    if (p.recusado.chave.empty()) return false;
    const auto& r = p.recusado;
    servicos().caixa_de_mensagem("o arquivo " + parte_do_nome_do_arquivo(caminho) +
                                     " tem um valor que os diálogos não aceitam: " + r.chave + " = " + r.valor +
                                     " (em " + r.elemento + "), " + r.motivo,
                                 estilo_ok, "Aviso");
    return true;
}

void aplicar_links(const projeto_lido& p, desenho_da_rede& t) {
    relacao_de_links = p.relacao_de_links;
    for (int l = 1; l <= max_links; ++l) {
        existe_link(l) = p.existe_link[l];
        if (!p.existe_link[l]) continue;
        const link_lido& k = p.links[l];
        nome_do_link_dado(l) = k.nome;
        nome_do_no_origem_dado(l) = k.origem;
        nome_do_no_destino_dado(l) = k.destino;
        verde_de_seguranca_dado(l) = k.verde;
        fluxo_dado(l) = k.fluxo;
        fluxo_de_saturacao_dado(l) = k.saturacao;
        t_de_percurso_dado(l) = k.percurso;
        capacidade_da_caixa_dado(l) = k.capacidade;
        for (int r = 1; r <= max_recebedores; ++r) {
            nome_do_recebedor_dado(l, r) = k.recebedor[r];
            valor_do_fornecimento_dado(l, r) = k.fornecimento[r];
        }
    }
    total_de_links_dado = p.total_de_links;

    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        const link_lido& k = p.links[l];
        t.carregar_elementos_do_link(l);
        linha& corpo = t.corpo_link_line(l);
        linha& braco = t.braco_link_line(l);
        linha& esquerda = t.esquerda_seta_line(l);
        linha& direita = t.direita_seta_line(l);
        rotulo& etiqueta = t.etiqueta_link_label(l);
        corpo.X1 = k.x1;
        corpo.X2 = k.x2;
        corpo.Y1 = k.y1;
        corpo.Y2 = k.y2;
        eh_link_conversao(l) = k.conversao;
        braco.X2 = k.braco_x2;
        braco.Y2 = k.braco_y2;
        esquerda.X1 = k.esq_x1;
        esquerda.Y1 = k.esq_y1;
        direita.X1 = k.dir_x1;
        direita.Y1 = k.dir_y1;
        etiqueta.Left = k.etiqueta_left;
        etiqueta.Top = k.etiqueta_top;
        etiqueta.Caption = k.etiqueta;
        etiqueta.Visible = true;
        corpo.Visible = true;
        esquerda.Visible = true;
        direita.Visible = true;
        t.Shape2.Visible = true;
        t.Shape3.Visible = true;
        // A ponta da seta e o começo do braço saem do corpo e do braço, nunca do arquivo.
        if (!k.conversao) {
            esquerda.X2 = corpo.X2;
            esquerda.Y2 = corpo.Y2;
            direita.X2 = corpo.X2;
            direita.Y2 = corpo.Y2;
            braco.Visible = false;
        } else {
            braco.Visible = true;
            braco.X1 = corpo.X2;
            braco.Y1 = corpo.Y2;
            esquerda.X2 = braco.X2;
            esquerda.Y2 = braco.Y2;
            direita.X2 = braco.X2;
            direita.Y2 = braco.Y2;
        }
    }
}

void aplicar_nos(const projeto_lido& p, desenho_da_rede& t) {
    relacao_de_nos = p.relacao_de_nos;
    for (int n = 1; n <= max_nos; ++n) {
        existe_no(n) = p.existe_no[n];
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        nome_do_no_dado(n) = o.nome;
        quant_de_grupos_dado(n) = o.grupos;
        eh_ciclo_duplo_permitido_dado(n) = o.ciclo_duplo_permitido;
        eh_no_escravo_dado(n) = o.escravo;
        nome_do_mestre_dado(n) = o.mestre;
        intervalo_do_escravo_dado(n) = o.intervalo_do_escravo;
        intervalo_do_mestre_dado(n) = o.intervalo_do_mestre;
        defasagem_forcada_dado(n) = o.defasagem_forcada;
        eh_no_demandado_dado(n) = o.demandado;
        n_acionamentos_dado(n) = o.acionamentos;
        intervalo_demandado_dado(n) = o.intervalo_demandado;
        intervalo_beneficiado_dado(n) = o.intervalo_beneficiado;
        quant_de_intervalos_antes_dado(n) = o.intervalos_antes;
        for (int g = 1; g <= max_grupos; ++g) {
            for (int k = 1; k <= max_links_por_grupo; ++k) nome_dos_links_do_grupo_dado(n, g, k) = o.links_do_grupo[g][k];
            for (int k = 1; k <= limite_de_intervalos; ++k) {
                cor_do_intervalo_do_grupo_dado(n, g, k) = o.cor[g][k];
                contexto().resultados.cor_do_intervalo_do_grupo_depois(n, g, k) = o.cor_depois[g][k];
            }
        }
        for (int c = 0; c <= max_colunas; ++c)
            if (o.ordenada[static_cast<std::size_t>(c)]) existe_ordenada_dado(n, c) = true;
        for (int k = 1; k <= limite_de_intervalos; ++k) duracao_imposta_dado(n, k) = o.duracao_imposta[k];
    }
    for (int g = 1; g <= max_grupos; ++g) {
        lista_dos_links_do_grupo(g) = p.lista_links[g];
        lista_de_cor_do_grupo(g) = p.lista_cor[g];
        lista_de_cor_do_grupo_depois(g) = p.lista_cor_depois[g];
    }
    lista_de_existe_ordenada = p.lista_ordenada;
    lista_de_duracao_imposta = p.lista_duracao;

    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        // Cada elemento carregado fica por cima dos outros: o círculo primeiro, para que o
        // nome fique sobre ele, como no desenho que foi salvo.
        t.no_shape.carregar(n);
        t.apoio_no_label.carregar(n);
        rotulo& r = t.apoio_no_label(n);
        r.Left = o.rotulo_left;
        r.Top = o.rotulo_top;
        r.Height = o.rotulo_altura;
        r.Width = r.Height;
        r.Caption = o.rotulo;
        forma& c = t.no_shape(n);
        c.Left = o.circulo_left;
        c.Top = o.circulo_top;
        c.Height = o.circulo_altura;
        c.Width = c.Height;
        c.Visible = true;
        r.Visible = true;
    }
}

void aplicar_resultados(const projeto_lido& p) {
    contexto().resultados.t_ciclo_da_rede_rel = p.t_ciclo_rel;
    contexto().derivados.t_de_ciclo = p.t_de_ciclo;
    contexto().resultados.atraso_rede_rel = p.atraso_rel;
    contexto().resultados.n_paradas_rede_rel = p.n_paradas_rel;
    contexto().resultados.espera_media_rel = p.espera_rel;
    contexto().resultados.maior_grau_de_saturacao_rel = p.maior_grau_rel;
    contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel = p.str_links_rel;
    contexto().resultados.data_rel = p.data_rel;
    contexto().derivados.periodo_de_simulacao = p.periodo_de_simulacao;
    for (int n = 1; n <= max_nos; ++n) {
        if (!p.existe_no[n]) continue;
        const no_lido& o = p.nos[n];
        contexto().buscas.defasagem_valendo(n) = o.defasagem_valendo;
        contexto().derivados.quant_de_intervalos_depois(n) = o.intervalos_depois;
        for (int j = 1; j <= max_intervalos_entrados; ++j) {
            contexto().derivados.duracao_do_intervalo(n, j) = o.d[j];
            contexto().derivados.duracao_com_demanda(n, j) = o.dcd[j];
        }
        contexto().derivados.eh_ciclo_duplo(n) = o.ciclo_duplo;
    }
    for (int l = 1; l <= max_links; ++l) {
        if (!p.existe_link[l]) continue;
        const link_lido& k = p.links[l];
        contexto().resultados.y_rel(l) = k.y_rel;
        contexto().derivados.y(l) = k.y;
        for (int j = 1; j <= 4; ++j) contexto().resultados.periodo_de_verde_do_link_rel(l, j) = k.periodo_rel[j];
        contexto().resultados.fila_maxima_rel(l) = k.fila_maxima_rel;
        contexto().resultados.estourou_caixa_rel(l) = k.estourou_rel;
        contexto().resultados.estourou_caixa(l) = k.estourou;
        contexto().resultados.grau_de_saturacao_por_link_rel(l) = k.grau_rel;
        contexto().resultados.grau_de_saturacao(l) = k.grau;
        contexto().resultados.atraso_rel(l) = k.atraso_rel;
        contexto().resultados.n_paradas_rel(l) = k.n_paradas_rel;
    }
}

}  // namespace

bool abrir_projeto() {
    bool abriu = false;
    auto& t = frmTela_principal_versao2();
    const Integer ponteiro_antes = t.MousePointer;
    const std::string arquivo_antes = nome_do_arquivo;
    const bool ok = com_codigo("Erro 148", [&] {
        // Cancelar o diálogo deixa a rede sem nome de arquivo: o próximo salvamento pede um.
        nome_do_arquivo.clear();
        parametros_do_dialogo d;
        d.titulo = "Abrir";
        d.filtro = filtro_de_projetos;
        d.pasta_inicial = servicos().pasta_do_programa();
        const auto escolhido = servicos().dialogo_abrir(d);
        if (!escolhido || escolhido->empty()) return;

        t.MousePointer = ponteiro_ampulheta;
        auto p = std::make_unique<projeto_lido>();
        if (!ler_projeto(*escolhido, *p) || recusar_valores_fora_das_faixas(*escolhido, *p)) {
            nome_do_arquivo = arquivo_antes;
            t.MousePointer = ponteiro_antes;
            return;
        }

        // Lido por inteiro: agora a rede atual dá lugar à do arquivo.
        nome_do_arquivo = *escolhido;
        limpar_rede();
        t.BackColor = cor_de_fundo_da_tela;
        aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
        desenhando = false;

        nome_da_rede_dado = p->nome_da_rede;
        t_de_ciclo_imposto_dado = p->t_de_ciclo_imposto;
        t_de_ciclo_maximo_imposto_dado = p->t_de_ciclo_maximo;
        grau_de_saturacao_meta_imposto_dado = p->meta;
        grau_de_saturacao_limite_imposto_dado = p->limite;
        peso_da_parada_imposto_dado = p->peso_da_parada;
        total_de_nos_dado = p->total_de_nos;
        max_indice_no = p->max_no;
        max_indice_link = p->max_link;
        contexto().resultados.max_quant_de_intervalos = p->max_quant_de_intervalos;
        caption_dos_forms = p->caption;

        aplicar_links(*p, t);
        aplicar_nos(*p, t);
        aplicar_resultados(*p);

        projeto_alterado = false;
        t.Caption = "ORVEL - " + caption_dos_forms;
        t.Label1.Caption = "Desenho da rede:  " + nome_da_rede_dado;
        t.Label1.Left = t.Width / 2 - t.Label1.Width / 2;
        t.Label1.Top = 760;
        t.Label1.Visible = true;
        titular_as_oito_janelas("ORVEL - " + caption_dos_forms);
        abriu = true;
    });
    if (!ok) {
        // O arquivo não foi lido por inteiro: a rede atual e o seu arquivo continuam.
        nome_do_arquivo = arquivo_antes;
        t.MousePointer = ponteiro_antes;
    }
    observador().ao_mudar();
    return abriu;
}

}  // namespace orvel
