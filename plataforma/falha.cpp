#include "plataforma/falha.h"

#include <new>

#include "plataforma/servicos.h"

namespace orvel {

std::string descricao_padrao(tipo_de_falha tipo) {
    switch (tipo) {
        case tipo_de_falha::chamada_invalida: return "Chamada de procedimento ou argumento inválido";
        case tipo_de_falha::estouro: return "Estouro";
        case tipo_de_falha::memoria_insuficiente: return "Memória insuficiente";
        case tipo_de_falha::subscrito_fora_do_intervalo: return "Subscrito fora do intervalo";
        case tipo_de_falha::divisao_por_zero: return "Divisão por zero";
        case tipo_de_falha::tipos_incompativeis: return "Tipos incompatíveis";
        case tipo_de_falha::objeto_nao_definido: return "Variável de objeto ou variável do bloco With não definida";
        case tipo_de_falha::arquivo_nao_encontrado: return "Arquivo não encontrado";
        case tipo_de_falha::erro_de_arquivo: return "Erro de acesso ao caminho/arquivo";
        case tipo_de_falha::objeto_nao_carregado: return "Elemento de matriz de controles não existe";
        case tipo_de_falha::generica: return "Erro definido pelo aplicativo ou pelo objeto";
    }
    return "Erro definido pelo aplicativo ou pelo objeto";
}

falha::falha(tipo_de_falha tipo) : tipo_(tipo), descricao_(descricao_padrao(tipo)) {}

falha::falha(tipo_de_falha tipo, std::string descricao) : tipo_(tipo), descricao_(std::move(descricao)) {}

void falhar(tipo_de_falha tipo) { throw falha(tipo); }

void falhar(tipo_de_falha tipo, std::string descricao) { throw falha(tipo, std::move(descricao)); }

namespace {
falha& corrente() {
    static falha f(tipo_de_falha::generica, "");
    return f;
}
}  // namespace

const falha& falha_corrente() { return corrente(); }

void registrar_falha_corrente(const falha& f) { corrente() = f; }

void registrar_excecao_em_andamento() noexcept {
    try {
        try {
            throw;
        } catch (const falha& f) {
            registrar_falha_corrente(f);
        } catch (const std::bad_alloc&) {
            registrar_falha_corrente(falha(tipo_de_falha::memoria_insuficiente));
        } catch (const std::exception& e) {
            registrar_falha_corrente(falha(tipo_de_falha::generica, e.what()));
        } catch (...) {
            registrar_falha_corrente(falha(tipo_de_falha::generica));
        }
    } catch (...) {
        // Sem memória nem para guardar a descrição: fica a falha anterior.
    }
}

namespace {
bool numa_execucao = false;
bool execucao_ja_relatou = false;
bool mostrar_sempre = false;
}  // namespace

relatos_sempre_mostrados::relatos_sempre_mostrados() : anterior_(mostrar_sempre) { mostrar_sempre = true; }

relatos_sempre_mostrados::~relatos_sempre_mostrados() { mostrar_sempre = anterior_; }

void iniciar_relatos_de_uma_execucao() {
    numa_execucao = true;
    execucao_ja_relatou = false;
}

void encerrar_relatos_de_uma_execucao() {
    numa_execucao = false;
    execucao_ja_relatou = false;
}

void relatar_erro(const std::string& titulo) {
    if (numa_execucao && !mostrar_sempre) {
        if (execucao_ja_relatou) return;
        execucao_ja_relatou = true;
    }
    std::string texto = falha_corrente().descricao();
    texto += '\n';
    servicos().definir_ponteiro_da_tela(ponteiro_padrao);
    servicos().caixa_de_mensagem(texto, estilo_ok | icone_exclamacao, titulo);
}

}  // namespace orvel
