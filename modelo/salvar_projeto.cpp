#include <utility>
#include <vector>

#include "modelo/armazenamento_xml.h"
#include "modelo/chaves_do_projeto.h"
#include "modelo/projeto.h"
#include "plataforma/falha.h"
#include "plataforma/textos.h"

namespace orvel {

namespace {

std::string sim_nao(bool v) { return v ? "sim" : "não"; }

// Os links com o maior grau de saturação, como o arquivo os guarda: remontados das entradas
// quando há alguma (sem elas, num projeto aberto ou num segundo salvamento, o texto fica como
// está, sem repetir nomes a cada salvamento), e sem as vírgulas do fim.
std::string empatados(const resultados_do_calculo& r) {
    bool ha_empatados = false;
    for (int k = 1; k <= max_nos; ++k) ha_empatados = ha_empatados || !r.links_com_maior_grau_de_saturacao(k).empty();
    std::string s;
    if (ha_empatados) {
        for (int k = 1; k <= max_nos; ++k)
            if (!r.links_com_maior_grau_de_saturacao(k).empty()) s += r.links_com_maior_grau_de_saturacao(k) + ",";
    } else {
        s = r.StrLinks_com_maior_grau_de_saturacao_rel;
    }
    for (int vez = 0; vez < 100 && !s.empty() && s.back() == ','; ++vez) s.pop_back();
    return s;
}

// Escreve no documento cada chave da volta, do valor da rede como está. Os textos das listas (e
// o dos empatados) que a rede guarda só mudam quando o arquivo for gravado: ficam em feitos.
class escritor {
public:
    using textos_feitos = std::vector<std::pair<std::string*, std::string>>;

    escritor(const contexto_da_rede& c, documento_de_projeto& doc, const std::string& caminho, textos_feitos& feitos)
        : c_(c), doc_(doc), caminho_(caminho), feitos_(feitos) {}

    void operator()(const lugar_da_chave& lugar) { doc_.gravar(lugar.elemento, lugar.nome, texto(lugar)); }

private:
    // Os campos só são lidos.
    campo_da_chave campo(campo_da_chave (*acesso)(contexto_da_rede&, int, int), const lugar_da_chave& l) const {
        return acesso(const_cast<contexto_da_rede&>(c_), l.posicao, l.k);
    }

    bool traco(const lugar_da_chave& l) const {
        const rede_dada& g = c_.rede;
        switch (l.chave.condicao) {
            case condicao_da_chave::so_escravo: return !g.eh_no_escravo_dado(l.posicao);
            case condicao_da_chave::so_demandado: return !g.eh_no_demandado_dado(l.posicao);
            case condicao_da_chave::recebedor: return g.nome_do_recebedor_dado(l.posicao, l.k).empty();
            case condicao_da_chave::intervalo_ou_traco:
                return !valem_ || c_.derivados.quant_de_intervalos_depois(l.posicao) < l.k;
            default: return false;
        }
    }

    // Uma lista: o texto vai ao arquivo e, gravado, à variável da lista.
    std::string lista(const lugar_da_chave& l, std::string s) {
        if (l.chave.outro_campo) feitos_.emplace_back(std::get<std::string*>(campo(l.chave.outro_campo, l)), s);
        return s;
    }

    std::string texto(const lugar_da_chave& l) {
        const chave_do_projeto& ch = l.chave;
        if (traco(l)) return "-";
        // Resultados que não são os da rede como está (ela mudou depois do cálculo, ou nenhum
        // cálculo chegou ao fim) não vão para o arquivo: a chave recebe o texto de uma rede não
        // processada, e o arquivo abre como não processado.
        const bool vazio = ch.condicao == condicao_da_chave::resultado && !valem_;
        const campo_da_chave v = campo(ch.campo, l);
        switch (ch.forma) {
            case forma_do_texto::texto:
            case forma_do_texto::nome_de_link:
            case forma_do_texto::numero_em_texto:
            case forma_do_texto::texto_com_numero:
            case forma_do_texto::percentagem: return vazio ? std::string() : *std::get<std::string*>(v);
            case forma_do_texto::texto_ou_traco: {
                const std::string& s = *std::get<std::string*>(v);
                return s.empty() ? std::string("-") : s;
            }
            case forma_do_texto::numero:
            case forma_do_texto::numero_ou_traco:
                return std::visit(
                    [&](auto* p) -> std::string {
                        using T = std::remove_cvref_t<decltype(*p)>;
                        if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
                            const T valor = vazio ? T{} : *p;
                            if (ch.forma == forma_do_texto::numero_ou_traco && !(valor > 0)) return "-";
                            return texto_do_valor_xml(valor);
                        } else {
                            falhar(tipo_de_falha::tipos_incompativeis);
                        }
                    },
                    v);
            case forma_do_texto::booleano: return texto_de_booleano(*std::get<bool*>(v));
            case forma_do_texto::sim_nao: return sim_nao(!vazio && *std::get<bool*>(v));
            case forma_do_texto::relacao: {
                const bool* existe = std::get<bool*>(v);
                const int ultima = ch.parte == parte_do_arquivo::links ? max_links : max_nos;
                std::string s;
                for (int i = 1; i <= ultima; ++i)
                    if (existe[i]) s += texto_de_inteiro(i) + ",";
                return lista(l, std::move(s));
            }
            case forma_do_texto::lista_de_nomes: {
                const std::string* nomes = std::get<std::string*>(v);
                std::string s;
                for (int i = 1; i <= max_links_por_grupo; ++i) s += nomes[i] + ",";
                return lista(l, std::move(s));
            }
            case forma_do_texto::lista_de_colunas: {
                const bool* marcada = std::get<bool*>(v);
                std::string s;
                for (int i = 1; i <= ultima_divisa; ++i)
                    if (marcada[i]) s += texto_de_inteiro(i) + ",";
                return lista(l, std::move(s));
            }
            case forma_do_texto::lista_por_intervalo: {
                std::string s;
                std::visit(
                    [&](auto* p) {
                        using T = std::remove_cvref_t<decltype(*p)>;
                        if constexpr (std::is_same_v<T, Byte> || std::is_same_v<T, Integer>)
                            for (int i = 1; i <= max_intervalos_duplos; ++i) s += texto_de_inteiro(p[i]) + ",";
                        else
                            falhar(tipo_de_falha::tipos_incompativeis);
                    },
                    v);
                return lista(l, std::move(s));
            }
            case forma_do_texto::periodo_de_verde: {
                // Um período de verde lido de um arquivo só tem o texto: vale o texto.
                const std::string& s = *std::get<std::string*>(v);
                const bool existe = valem_ && (*std::get<Integer*>(campo(ch.outro_campo, l)) > 0 || (!s.empty() && s != "0"));
                return existe ? s : std::string("-");
            }
            case forma_do_texto::estourou: return sim_nao(!vazio && *std::get<std::string*>(v) == "True");
            case forma_do_texto::empatados: {
                if (vazio) return {};
                std::string s = empatados(c_.resultados);
                feitos_.emplace_back(std::get<std::string*>(v), s);
                return s;
            }
            case forma_do_texto::nome_do_arquivo: return parte_do_nome_do_arquivo(caminho_);
        }
        falhar(tipo_de_falha::tipos_incompativeis);
    }

    const contexto_da_rede& c_;
    documento_de_projeto& doc_;
    const std::string& caminho_;
    textos_feitos& feitos_;
    const bool valem_ = c_.projeto.revisao_processada == c_.projeto.revisao_da_rede;
};

}  // namespace

resultado_do_arquivo salvar_projeto(contexto_da_rede& c, const std::string& caminho, gravacao modo) {
    resultado_do_arquivo r;
    escritor::textos_feitos feitos;
    std::string nome, titulo;
    try {
        // O documento é escrito da rede como ela está e troca o arquivo de uma vez; só depois
        // disso o projeto passa a ser o do arquivo. Numa falha, nada do projeto muda. O que o
        // projeto vai receber fica pronto antes da troca.
        nome = caminho;
        titulo = parte_do_nome_do_arquivo(caminho);
        documento_de_projeto doc = documento_de_projeto::para_gravar(caminho, modo == gravacao::substituindo, c.rede);
        escritor e(c, doc, caminho, feitos);
        percorrer_as_chaves(c, sentido_do_arquivo::gravacao, std::ref(e));
        if (const resultado_da_carga gravado = doc.salvar(caminho, &r.texto); gravado != resultado_da_carga::carregado)
            falhar(tipo_de_falha::erro_de_arquivo, por_que_nao_grava(gravado));
    } catch (...) {
        return resultado_do_arquivo::da_falha_em_andamento("Erro 146");
    }
    // O arquivo já é o novo: daqui em diante só há movimentos, que não falham, e o salvamento
    // está feito (com o aviso de uma pasta que não chegou ao disco, quando há).
    c.projeto.nome_do_arquivo = std::move(nome);
    c.projeto.caption_dos_forms = std::move(titulo);
    for (auto& [destino, texto] : feitos) *destino = std::move(texto);
    c.projeto.projeto_alterado = false;
    // O nome pedido por "Salvar como" já vale: os salvamentos seguintes gravam nele.
    c.projeto.salvar_como = false;
    return r;
}

}  // namespace orvel
