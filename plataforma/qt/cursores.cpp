#include "plataforma/qt/cursores.h"

#include "plataforma/servicos.h"

namespace orvel {

QCursor cursor_do_codigo(int codigo) {
    switch (codigo) {
        case ponteiro_cruz: return QCursor(Qt::CrossCursor);
        case ponteiro_quatro_setas: return QCursor(Qt::SizeAllCursor);
        case ponteiro_diagonal: return QCursor(Qt::SizeBDiagCursor);
        case ponteiro_ampulheta: return QCursor(Qt::WaitCursor);
        case ponteiro_seta_e_ampulheta: return QCursor(Qt::BusyCursor);
        default: return QCursor(Qt::ArrowCursor);
    }
}

}  // namespace orvel
