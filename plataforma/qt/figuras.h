#pragma once

#include <QIcon>
#include <string>

namespace orvel {

// Figura de um botão da barra de ferramentas, desenhada pelo próprio programa.
QIcon figura_do_botao(const std::string& nome);

}  // namespace orvel
