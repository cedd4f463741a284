#pragma once
// As figuras da janela de apresentação, desenhadas pelo próprio programa: um semáforo de três
// luzes, preto sobre uma placa amarela em losango, num fundo preto, com uma luz acesa.

#include <QImage>
#include <QSize>
#include <string>

namespace orvel {

// "semaforo_verde" (a luz de baixo), "semaforo_amarelo" (a do meio) ou "semaforo_vermelho"
// (a de cima), no tamanho pedido; uma imagem nula para outro nome.
QImage figura_do_semaforo(const std::string& nome, QSize tamanho);

}  // namespace orvel
