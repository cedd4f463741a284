#pragma once
// A única falha do programa e o envoltório dos procedimentos que têm código de local ("Erro 148").

#include <exception>
#include <string>
#include <string_view>

namespace orvel {

// Números das falhas, com as descrições que o usuário vê.
enum class tipo_de_falha : int {
    chamada_invalida = 5,
    estouro = 6,
    memoria_insuficiente = 7,
    subscrito_fora_do_intervalo = 9,
    divisao_por_zero = 11,
    tipos_incompativeis = 13,
    objeto_nao_definido = 91,
    arquivo_nao_encontrado = 53,
    erro_de_arquivo = 75,
    objeto_nao_carregado = 340,
    generica = 1000,
};

class falha : public std::exception {
public:
    explicit falha(tipo_de_falha tipo);
    falha(tipo_de_falha tipo, std::string descricao);

    tipo_de_falha tipo() const noexcept { return tipo_; }
    int numero() const noexcept { return static_cast<int>(tipo_); }
    const std::string& descricao() const noexcept { return descricao_; }
    const char* what() const noexcept override { return descricao_.c_str(); }

private:
    tipo_de_falha tipo_;
    std::string descricao_;
};

std::string descricao_padrao(tipo_de_falha tipo);

[[noreturn]] void falhar(tipo_de_falha tipo);
[[noreturn]] void falhar(tipo_de_falha tipo, std::string descricao);

// A falha corrente (o estado de erro que o relator lê). Quem a trata registra-a aqui.
const falha& falha_corrente();
void registrar_falha_corrente(const falha& f);

// Traduz qualquer exceção em andamento para a falha do programa e a registra como corrente.
// Só pode ser chamada dentro de um bloco catch.
void registrar_excecao_em_andamento() noexcept;

void relatar_erro(const std::string& titulo);

// Durante um processamento, só a primeira falha mostra a sua caixa: as seguintes seguem o
// mesmo caminho (o procedimento volta e o processamento continua) sem outra caixa.
void iniciar_relatos_de_uma_execucao();
void encerrar_relatos_de_uma_execucao();

// Enquanto existe, toda falha mostra a sua caixa, também dentro de um processamento que já
// mostrou outra: um salvamento que falha nunca passa calado.
class relatos_sempre_mostrados {
public:
    relatos_sempre_mostrados();
    ~relatos_sempre_mostrados();
    relatos_sempre_mostrados(const relatos_sempre_mostrados&) = delete;
    relatos_sempre_mostrados& operator=(const relatos_sempre_mostrados&) = delete;

private:
    bool anterior_;
};

// Corpo de um procedimento com código de local: roda o corpo; numa falha, relata-a com o
// código e devolve false (o procedimento termina ali, sem desfazer o que já fez).
template <class Corpo>
bool com_codigo(std::string_view codigo, Corpo&& corpo) noexcept {
    try {
        corpo();
        return true;
    } catch (...) {
        registrar_excecao_em_andamento();
    }
    try {
        relatar_erro(std::string(codigo));
    } catch (...) {
        // O relator não pode deixar escapar nada para o laço de eventos.
    }
    return false;
}

// O mesmo, com a falha relatada pelo relator dado (relator.relatar_erro(código)): um
// processamento relata pelo observador que recebeu.
template <class Relator, class Corpo>
bool com_codigo(Relator& relator, std::string_view codigo, Corpo&& corpo) noexcept {
    try {
        corpo();
        return true;
    } catch (...) {
        registrar_excecao_em_andamento();
    }
    try {
        relator.relatar_erro(std::string(codigo));
    } catch (...) {
        // O relator não pode deixar escapar nada para o laço de eventos.
    }
    return false;
}

}  // namespace orvel
