#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace orvel {

// Figura de um botão da barra de ferramentas, desenhada pelo próprio programa.
QIcon figura_do_botao(const std::string& nome);

// O ícone do programa, que todas as janelas levam: o semáforo da apresentação, com a luz verde.
QIcon icone_do_programa();

// Figura de uma caixa de imagem pelo nome; nula quando não há figura com esse nome.
QPixmap figura_da_imagem(const std::string& nome, QSize tamanho);

}  // namespace orvel
