#pragma once
// Uma tela de verdade para os testes: um servidor X virtual (Xvfb) numa tela livre, com um
// gerenciador de janelas (openbox), iniciados pelo próprio teste e encerrados no fim. Os dois
// processos morrem também se o teste morrer antes.

#include <string>
#include <sys/types.h>

namespace orvel::teste {

class servidor_x {
public:
    servidor_x() = default;
    ~servidor_x() { parar(); }
    servidor_x(const servidor_x&) = delete;
    servidor_x& operator=(const servidor_x&) = delete;

    // Inicia o servidor (largura x altura pixels, 96 dpi) e o gerenciador, e espera os dois
    // ficarem prontos. Devolve false, com o motivo em erro(), quando não consegue.
    bool iniciar(int largura, int altura);
    void parar();

    // O endereço da tela (":n"), para DISPLAY.
    const std::string& tela() const { return tela_; }
    const std::string& erro() const { return erro_; }

private:
    pid_t servidor_ = -1;
    pid_t gerenciador_ = -1;
    std::string tela_;
    std::string erro_;
};

}  // namespace orvel::teste
