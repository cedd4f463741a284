#pragma once
// Serviços roteirizados: respondem com o que o teste preparou e registram, em ordem, tudo
// o que o programa mostrou ou pediu.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "plataforma/servicos.h"

namespace orvel {

struct impressora_configurada {
    std::string titulo;
    int orientacao = 0;
};

struct mensagem_mostrada {
    std::string texto;
    int estilo = 0;
    std::string titulo;
    int ponteiro_da_tela = 0;  // o ponteiro da tela quando a caixa apareceu
    bool sem_esperar = false;  // um aviso que não esperou o OK
};

class servicos_de_teste : public servicos_da_plataforma {
public:
    // Instala-se ao ser criado e devolve os anteriores ao ser destruído.
    servicos_de_teste();
    ~servicos_de_teste() override;
    servicos_de_teste(const servicos_de_teste&) = delete;
    servicos_de_teste& operator=(const servicos_de_teste&) = delete;

    // Roteiro.
    std::deque<int> respostas;                              // botões das próximas caixas
    int resposta_padrao = 0;                                // 0: o botão que não muda nada
    std::deque<std::optional<std::string>> respostas_abrir;  // vazio = cancelar
    std::deque<std::optional<std::string>> respostas_salvar;
    std::function<void()> ao_processar_eventos;               // um clique durante o cálculo, por exemplo
    std::string pasta = "/tmp";
    data_hora relogio{2026, 12, 7, 10, 30, 0};
    double segundos = 0;  // o relógio contínuo

    // Registro.
    std::vector<mensagem_mostrada> mensagens;
    std::vector<parametros_do_dialogo> dialogos_abrir;
    std::vector<parametros_do_dialogo> dialogos_salvar;
    std::vector<impressora_configurada> impressoras_configuradas;
    std::vector<std::string> janelas_impressas;  // nomes das janelas
    std::vector<std::string> registro;  // tudo em ordem: "mensagem Erro 151", "ponteiro_da_tela 0", ...
    int eventos_processados = 0;
    bool encerrado = false;
    // Os avisos que não esperam, ainda abertos: o teste os fecha (limpa) quando o usuário clica OK.
    std::vector<std::string> avisos_abertos;

    int caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) override;
    void aviso_sem_esperar(const std::string& texto, const std::string& titulo) override;
    void definir_ponteiro_da_tela(int codigo) override;
    int ponteiro_da_tela() const override { return ponteiro_; }
    void processar_eventos_pendentes() override;
    void encerrar_programa() override;
    std::optional<std::string> dialogo_abrir(const parametros_do_dialogo& p) override;
    std::optional<std::string> dialogo_salvar(const parametros_do_dialogo& p) override;
    bool arquivo_existe(const std::string& caminho) override;
    void apagar_arquivo(const std::string& caminho) override;
    std::string pasta_do_programa() override { return pasta; }
    data_hora agora() override { return relogio; }
    double segundos_do_relogio() override { return segundos; }
    void configurar_impressora(const std::string& titulo, int orientacao) override;
    void imprimir_janela(formulario& janela) override;

    std::vector<std::string> textos_das_mensagens() const;

private:
    int ponteiro_ = ponteiro_padrao;
    servicos_da_plataforma* anteriores_;
    servicos_sem_janela arquivos_;
};

}  // namespace orvel
