#pragma once
// Fixture dos diálogos: a janela principal carregada, serviços roteirizados e o que o usuário
// faz numa janela (digitar numa caixa, Enter, clique) entregue como um evento da tela, para
// que uma janela descarregada no meio do tratador só seja destruída depois dele.

#include <functional>
#include <string>

#include "comum/janela_principal_de_teste.h"
#include "plataforma/numeros.h"

namespace orvel::teste {

class com_dialogos : public com_janela_principal {
protected:
    void SetUp() override {
        com_janela_principal::SetUp();
        definir_separador_decimal('.');
        execucao_em_curso = false;
        projeto_alterado = false;
        dados_ok = false;
    }
    void TearDown() override {
        com_janela_principal::TearDown();
        definir_separador_decimal('.');
        execucao_em_curso = false;
    }

    static void evento(formulario& j, const std::function<void()>& f) { despachar_evento(&j, f); }

    // Dá o foco à caixa (a que o tinha o perde e guarda) e escreve o texto.
    static void digitar(caixa_de_texto& c, const std::string& texto) {
        evento(c.dono(), [&] {
            c.SetFocus();
            c.Text = texto;
        });
    }

    // Enter entregue à janela como a tela o entrega: à caixa com o foco, se houver.
    static Integer enter(formulario& j) {
        Integer r = 0;
        evento(j, [&] { r = j.entregar_tecla(tecla_enter); });
        return r;
    }

    // O botão toma o foco da caixa em edição (que guarda, se o botão valida) antes do clique.
    static void clicar(botao_de_comando& b) {
        evento(b.dono(), [&] {
            b.dono().mover_foco(&b);
            if (b.dono().carregado() && b.Click) b.Click();
        });
    }

    static bool carregada(const std::string& nome) {
        for (formulario* f : janelas_carregadas())
            if (f->nome() == nome) return true;
        return false;
    }

    std::vector<std::string> avisos() const {
        std::vector<std::string> v;
        for (const auto& m : s.mensagens) {
            EXPECT_EQ(m.titulo, "Aviso");
            EXPECT_EQ(m.estilo, estilo_ok);
            v.push_back(m.texto);
        }
        return v;
    }
};

}  // namespace orvel::teste
