#pragma once
// Os serviços do sistema feitos com o Qt: caixa de mensagem, ponteiro, eventos pendentes,
// diálogos de arquivo, arquivos, pasta do programa, relógio e impressora.

#include <memory>

#include "plataforma/servicos.h"

class QPrinter;

namespace orvel {

class servicos_qt : public servicos_sem_janela {
public:
    servicos_qt();
    ~servicos_qt() override;
    servicos_qt(const servicos_qt&) = delete;
    servicos_qt& operator=(const servicos_qt&) = delete;

    int caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) override;
    void aviso_sem_esperar(const std::string& texto, const std::string& titulo) override;
    void definir_ponteiro_da_tela(int codigo) override;
    int ponteiro_da_tela() const override { return ponteiro_; }
    void processar_eventos_pendentes() override;
    void encerrar_programa() override;
    std::optional<std::string> dialogo_abrir(const parametros_do_dialogo& p) override;
    std::optional<std::string> dialogo_salvar(const parametros_do_dialogo& p) override;
    std::string pasta_do_programa() override;
    void configurar_impressora(const std::string& titulo, int orientacao) override;
    void imprimir_janela(formulario& janela) override;

    // A impressora corrente: as escolhas da configuração valem até o fim do programa.
    QPrinter& impressora();

private:
    std::unique_ptr<QPrinter> impressora_;
    int ponteiro_ = ponteiro_padrao;
    bool cursor_sobreposto_ = false;
};

// Instala a tradução do próprio Qt para o português do Brasil, para que os diálogos comuns
// (abrir, salvar, configurar a impressora) e os botões padrão falem a língua do programa.
// Devolve false quando a tradução não está instalada na máquina.
bool instalar_traducao_do_qt();

// "XML's (*.xml)|*.xml|Todos os arquivos (*.*)|*.*" -> "XML's (*.xml);;Todos os arquivos (*.*)"
std::string filtro_para_qt(const std::string& filtro);

}  // namespace orvel
